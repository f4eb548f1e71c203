// The menu's screens: moving the highlight, going from screen to screen, and the choices made.
#include "menu/menu.h"

#include <string>
#include <vector>

#include "menu/menu_row.h"
#include "net/peer_link.h"

Menu::Menu(const Settings& settings) : saved(settings), edited(settings) {
    portText = std::to_string(DEFAULT_PORT);
    cameras.push_back(settings.camera);
    go(SCREEN_START);
}

void Menu::showStart() { go(SCREEN_START); }

void Menu::showPause() { go(SCREEN_PAUSE); }

void Menu::showLeaveOnline() {
    go(SCREEN_LEAVE_ONLINE);
    // Enter pressed once too often must not end a fight with a friend.
    highlighted = 1;
}

// The list may change under the host screen (a cable plugged in): the highlight stays on its row.
void Menu::setAddresses(const std::vector<std::string>& list) {
    RowId on = rows()[highlighted].id;
    addresses = list;
    if (current != SCREEN_HOST) {
        return;
    }
    std::vector<Row> after = rows();
    for (int k = 0; k < (int)after.size(); k++) {
        if (after[k].id == on) {
            highlighted = k;
        }
    }
    keepHighlightShown();
}

void Menu::setRecordings(const std::vector<std::string>& paths) {
    recordings = paths;
    if (current == SCREEN_WATCH) {
        go(SCREEN_WATCH);
    }
}

void Menu::setCameras(const std::vector<std::string>& devices) { cameras = devices; }

void Menu::setSettings(const Settings& settings) {
    saved = settings;
    if (current != SCREEN_SETTINGS) {
        edited = settings;
    }
}

void Menu::say(const std::string& line) { notice = line; }

void Menu::go(MenuScreen screen) {
    current = screen;
    notice.clear();
    waiting = WAIT_NONE;
    highlighted = 0;
    firstShown = 0;
    highlightFirstSelectable();
}

void Menu::highlightFirstSelectable() {
    std::vector<Row> all = rows();
    highlighted = 0;
    while (highlighted < (int)all.size() - 1 && !rowSelectable(all[highlighted])) {
        highlighted++;
    }
    keepHighlightShown();
}

// Up from the first row comes round to the last: Save and Back are one press away.
void Menu::moveHighlight(int step) {
    std::vector<Row> all = rows();
    int count = (int)all.size();
    int at = highlighted;
    for (int tries = 0; tries < count; tries++) {
        at = ((at + step) % count + count) % count;
        if (rowSelectable(all[at])) {
            highlighted = at;
            break;
        }
    }
    keepHighlightShown();
}

void Menu::keepHighlightShown() {
    int count = (int)rows().size();
    // A heading just above the highlight stays in view with it.
    int top = highlighted > 0 ? highlighted - 1 : 0;
    if (top < firstShown) {
        firstShown = top;
    }
    if (highlighted >= firstShown + MENU_ROWS_SHOWN) {
        firstShown = highlighted - MENU_ROWS_SHOWN + 1;
    }
    if (firstShown > count - MENU_ROWS_SHOWN) {
        firstShown = count > MENU_ROWS_SHOWN ? count - MENU_ROWS_SHOWN : 0;
    }
}

MenuChoice Menu::handle(const MenuEvent& event) {
    if (waiting != WAIT_NONE) {
        takeWaitedPress(event);
        return MenuChoice();
    }
    if (event.kind != MENU_POINT && event.kind != MENU_NOTHING) {
        notice.clear();
    }
    std::vector<Row> all = rows();
    bool overItem = event.item >= 0 && event.item < (int)all.size() && rowSelectable(all[event.item]);
    switch (event.kind) {
    case MENU_UP: moveHighlight(-1); break;
    case MENU_DOWN: moveHighlight(1); break;
    case MENU_LEFT: change(all[highlighted], -1); break;
    case MENU_RIGHT: change(all[highlighted], 1); break;
    case MENU_ACCEPT: return accept(all[highlighted]);
    case MENU_BACK: return back();
    case MENU_PAUSE_BUTTON:
        // Start leaves the pause screen as it came; elsewhere it is the pad's other Enter.
        if (current == SCREEN_PAUSE || current == SCREEN_LEAVE_ONLINE) {
            MenuChoice resume;
            resume.kind = CHOICE_RESUME;
            return resume;
        }
        return accept(all[highlighted]);
    case MENU_TEXT: type(event.text); break;
    case MENU_ERASE: erase(); break;
    case MENU_POINT:
        if (overItem) {
            highlighted = event.item;
        }
        break;
    case MENU_CLICK:
        if (overItem) {
            highlighted = event.item;
            return accept(all[highlighted]);
        }
        break;
    default: break;
    }
    return MenuChoice();
}

static MenuChoice choice(MenuChoiceKind kind) {
    MenuChoice made;
    made.kind = kind;
    return made;
}

int Menu::rowIndex(int id) const {
    std::vector<Row> all = rows();
    for (int k = 0; k < (int)all.size(); k++) {
        if (all[k].id == id) {
            return k;
        }
    }
    return 0;
}

// The start screen's item that leads to a screen.
static RowId startItemOf(MenuScreen screen) {
    switch (screen) {
    case SCREEN_COMPUTER: return ROW_COMPUTER;
    case SCREEN_HOST: return ROW_HOST;
    case SCREEN_JOIN: return ROW_JOIN;
    case SCREEN_WATCH: return ROW_WATCH;
    case SCREEN_SETTINGS: return ROW_SETTINGS;
    default: return ROW_TWO_PLAYERS;
    }
}

// Escape on the start screen first goes to Quit, so that one press too many never ends the game;
// a second one quits. Elsewhere it goes back to where the player came from, unsaved settings
// dropped.
MenuChoice Menu::back() {
    switch (current) {
    case SCREEN_START:
        if (highlighted == rowIndex(ROW_QUIT)) {
            return choice(CHOICE_QUIT);
        }
        highlighted = rowIndex(ROW_QUIT);
        return MenuChoice();
    case SCREEN_PAUSE:
    case SCREEN_LEAVE_ONLINE: return choice(CHOICE_RESUME);
    default: break;
    }
    MenuScreen from = current;
    edited = saved;
    go(SCREEN_START);
    highlighted = rowIndex(startItemOf(from));
    return MenuChoice();
}

MenuChoice Menu::accept(const Row& row) {
    switch (row.id) {
    case ROW_TWO_PLAYERS: return choice(CHOICE_TWO_PLAYERS);
    case ROW_COMPUTER: go(SCREEN_COMPUTER); break;
    case ROW_HOST: go(SCREEN_HOST); break;
    case ROW_JOIN: go(SCREEN_JOIN); break;
    case ROW_WATCH: go(SCREEN_WATCH); break;
    case ROW_SETTINGS:
        edited = saved;
        go(SCREEN_SETTINGS);
        break;
    case ROW_QUIT: return choice(CHOICE_QUIT);
    case ROW_BACK: return back();
    case ROW_START_COMPUTER: {
        MenuChoice made = choice(CHOICE_VS_COMPUTER);
        made.level = level;
        made.computerPlayer = 3 - humanPlayer;
        return made;
    }
    case ROW_PORT:
    case ROW_START_HOSTING: return hostChoice();
    case ROW_ADDRESS:
    case ROW_JOIN_NOW: return joinChoice();
    case ROW_RECORDING: {
        MenuChoice made = choice(CHOICE_WATCH);
        made.file = recordings[row.index];
        return made;
    }
    case ROW_KEY:
    case ROW_PAD_BUTTON:
        waiting = row.id == ROW_KEY ? WAIT_KEY : WAIT_PAD_BUTTON;
        waitingPlayer = row.player;
        waitingAction = row.action;
        break;
    case ROW_SAVE: {
        MenuChoice made = choice(CHOICE_SAVE_SETTINGS);
        made.settings = edited;
        saved = edited;
        back();
        return made;
    }
    case ROW_RESUME: return choice(CHOICE_RESUME);
    case ROW_BACK_TO_START:
        go(SCREEN_START);
        return choice(CHOICE_BACK_TO_START);
    case ROW_LEAVE: return choice(CHOICE_LEAVE_ONLINE);
    case ROW_STAY: return choice(CHOICE_RESUME);
    default:
        // A row with a value: Enter and a click step it on, coming round after the last.
        change(row, 0);
        break;
    }
    return MenuChoice();
}
