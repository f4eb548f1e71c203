// What the menu says: each screen's title and hint, the start screen's words about its items,
// and the sentence the view window shows.
#include <algorithm>
#include <string>
#include <vector>

#include "menu/menu_row.h"

static const char* titleOf(MenuScreen screen) {
    switch (screen) {
    case SCREEN_START: return "Vantorix";
    case SCREEN_COMPUTER: return "Against the computer";
    case SCREEN_HOST: return "Host an online fight";
    case SCREEN_JOIN: return "Join an online fight";
    case SCREEN_WATCH: return "Watch a recording";
    case SCREEN_SETTINGS: return "Settings";
    case SCREEN_PAUSE: return "Paused";
    case SCREEN_LEAVE_ONLINE: return "Leave this online fight?";
    }
    return "";
}

static const char* hintOf(MenuScreen screen) {
    switch (screen) {
    case SCREEN_START: return "Arrows and Enter, or a pad's d-pad and A";
    case SCREEN_COMPUTER: return "Left and right change a choice  \xc2\xb7  Escape: back";
    case SCREEN_HOST: return "Type the port  \xc2\xb7  Enter: start hosting  \xc2\xb7  Escape: back";
    case SCREEN_JOIN: return "Type the host's address  \xc2\xb7  Enter: join  \xc2\xb7  Escape: back";
    case SCREEN_WATCH: return "Enter plays the recording  \xc2\xb7  Escape: back";
    case SCREEN_SETTINGS: return "Left and right change a value  \xc2\xb7  Enter picks a key  \xc2\xb7  Escape: back without saving";
    case SCREEN_PAUSE: return "Escape or a pad's Start: resume";
    case SCREEN_LEAVE_ONLINE: return "The fight goes on meanwhile  \xc2\xb7  Escape: no";
    }
    return "";
}

// Under the start screen's items: what the highlighted one is.
static const char* aboutStartItem(RowId id) {
    switch (id) {
    case ROW_TWO_PLAYERS: return "Two players on this machine: keyboard, pads or the webcam";
    case ROW_COMPUTER: return "Fight the computer: easy, normal or hard";
    case ROW_HOST: return "Wait for a friend on another machine to join";
    case ROW_JOIN: return "Join a friend's fight: type their address";
    case ROW_WATCH: return "Watch a fight you recorded";
    case ROW_SETTINGS: return "Window, sound, webcam, keys and pads";
    case ROW_QUIT: return "Leave the game";
    default: return "";
    }
}

std::string Menu::waitingPrompt() const {
    std::string whose = "player " + std::to_string(waitingPlayer + 1) + "'s ";
    if (waiting == WAIT_KEY) {
        return "Press a key for " + whose + actionName(waitingAction) + " (Escape: keep)";
    }
    return "Press a button on " + whose + "pad for " + actionName(PAD_ACTION_FIRST + waitingAction) +
           " (Escape: keep)";
}

MenuPage Menu::page() const {
    MenuPage page;
    page.title = titleOf(current);
    page.startScreen = current == SCREEN_START;
    std::vector<Row> all = rows();
    for (const Row& r : all) {
        page.items.push_back(r.item);
    }
    page.highlighted = highlighted;
    if (waiting != WAIT_NONE && highlighted < (int)page.items.size()) {
        page.items[highlighted].value = waiting == WAIT_KEY ? "press a key" : "press a button";
    }
    page.firstShown = firstShown;
    page.shownCount = std::min((int)page.items.size() - firstShown, MENU_ROWS_SHOWN);
    page.hint = waiting != WAIT_NONE ? waitingPrompt() : hintOf(current);
    page.notice = notice;
    page.noticeIsWarning = !notice.empty();
    if (notice.empty() && waiting != WAIT_NONE) {
        page.notice = waitingPrompt();
    }
    if (notice.empty() && current == SCREEN_START && highlighted < (int)all.size()) {
        page.notice = aboutStartItem(all[highlighted].id);
    }
    page.overFight = current == SCREEN_PAUSE || current == SCREEN_LEAVE_ONLINE;
    return page;
}

std::string Menu::waitingFor() const {
    if (waiting != WAIT_NONE) {
        return "Settings: " + waitingPrompt() + " in the game window";
    }
    switch (current) {
    case SCREEN_START:
        return "Start screen: choose with the arrows and Enter in the game window, or a pad's d-pad and A";
    case SCREEN_COMPUTER: return "Against the computer: choose the level and your robot in the game window, then Start";
    case SCREEN_HOST: return "Host an online fight: check the port in the game window, then Start hosting";
    case SCREEN_JOIN: return "Join an online fight: type the host's address in the game window, then Enter";
    case SCREEN_WATCH: return "Watch a recording: choose one in the game window";
    case SCREEN_SETTINGS: return "Settings: change them in the game window, then Save";
    case SCREEN_PAUSE: return "Paused: Resume, Back to the start screen or Quit in the game window";
    case SCREEN_LEAVE_ONLINE: return "Leave this online fight? Yes or No in the game window";
    }
    return "";
}
