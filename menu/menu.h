// The start, settings and pause screens: what each holds, where the highlight is, and what a
// player's press there asks the game to do. No drawing and no devices: events in, choices out.
#ifndef VANTORIX_MENU_H
#define VANTORIX_MENU_H

#include <string>
#include <vector>

#include "computer/level.h"
#include "menu/menu_page.h"
#include "settings/settings.h"

enum MenuScreen {
    SCREEN_START,
    SCREEN_COMPUTER,
    SCREEN_HOST,
    SCREEN_JOIN,
    SCREEN_WATCH,
    SCREEN_SETTINGS,
    SCREEN_PAUSE,
    SCREEN_LEAVE_ONLINE,
};

enum MenuEventKind {
    MENU_NOTHING,
    MENU_UP,
    MENU_DOWN,
    MENU_LEFT,
    MENU_RIGHT,
    MENU_ACCEPT,
    MENU_BACK,
    MENU_PAUSE_BUTTON,
    MENU_TEXT,   // a character typed
    MENU_ERASE,  // the last character typed taken back
    MENU_POINT,  // the pointer is over an item
    MENU_CLICK,  // an item clicked
    MENU_KEY,    // a key with no meaning in the menu (it may still be a player's new key)
    MENU_PAD_BUTTON,
};

// One thing a player did. Every keyboard event also carries its key and every pad button event
// its pad and button, so that a screen waiting for a new key or button takes whichever it is.
struct MenuEvent {
    MenuEventKind kind = MENU_NOTHING;
    char text = 0;  // MENU_TEXT
    int item = -1;  // MENU_POINT, MENU_CLICK: the item's index in the page
    int key = 0;    // the SDL key (SDLKey value); 0 when not from the keyboard
    int pad = -1;   // the pad's index and its button; -1 when not a pad button
    int button = -1;
};

enum MenuChoiceKind {
    CHOICE_NONE,  // nothing to do yet
    CHOICE_TWO_PLAYERS,
    CHOICE_VS_COMPUTER,
    CHOICE_HOST,
    CHOICE_JOIN,
    CHOICE_WATCH,
    CHOICE_SAVE_SETTINGS,
    CHOICE_QUIT,
    CHOICE_RESUME,         // the pause screen left, or the online fight kept
    CHOICE_BACK_TO_START,  // the paused fight abandoned for the start screen
    CHOICE_LEAVE_ONLINE,
};

// What the game is asked to do, with what it needs for it.
struct MenuChoice {
    MenuChoiceKind kind = CHOICE_NONE;
    Level level = NORMAL;    // CHOICE_VS_COMPUTER
    int computerPlayer = 2;  // CHOICE_VS_COMPUTER: the robot the computer plays, 1 or 2
    int port = 0;            // CHOICE_HOST, CHOICE_JOIN
    std::string address;     // CHOICE_JOIN: the host's name or address, its ":PORT" taken off
    std::string file;        // CHOICE_WATCH: the recording's path
    Settings settings;       // CHOICE_SAVE_SETTINGS
};

// Each screen's own state lives here; the rows shown are rebuilt from it on every call.
class Menu {
public:
    // Starts on the start screen, editing a copy of these settings.
    explicit Menu(const Settings& saved);

    // The screens the game opens itself: the start screen after a fight, the pause screen over a
    // paused local fight, the question over an online fight that Escape wants to leave.
    void showStart();
    void showPause();
    void showLeaveOnline();

    // What the host screen tells the friend, this machine's addresses (IPv4 first); what the
    // watch screen offers, the recordings' paths newest first; the cameras the settings screen
    // chooses among. Each replaces the list given before.
    void setAddresses(const std::vector<std::string>& addresses);
    void setRecordings(const std::vector<std::string>& paths);
    void setCameras(const std::vector<std::string>& devices);
    // The settings as they now stand (after a save, or changed elsewhere, e.g. by F11).
    void setSettings(const Settings& saved);
    // One line on the current screen, e.g. why hosting or saving failed.
    void say(const std::string& notice);

    MenuChoice handle(const MenuEvent& event);

    MenuScreen screen() const { return current; }
    // Everything the drawing shows, decided here.
    MenuPage page() const;
    // A short sentence for the view window: what this screen waits for, and where.
    std::string waitingFor() const;
    // True while a settings row waits for a key or a pad button: every key pressed then belongs
    // to the menu (the game's own, F11 and the like, are refused there with a word).
    bool waitingForPress() const { return waiting != WAIT_NONE; }

    // One row of a screen: what is shown and what it stands for (defined in menu_rows.cpp).
    struct Row;

private:
    enum Waiting { WAIT_NONE, WAIT_KEY, WAIT_PAD_BUTTON };

    std::vector<Row> rows() const;
    void go(MenuScreen screen);
    void moveHighlight(int step);
    void highlightFirstSelectable();
    int rowIndex(int id) const;
    void keepHighlightShown();
    MenuChoice accept(const Row& row);
    MenuChoice back();
    void change(const Row& row, int step);
    void type(char c);
    void erase();
    MenuChoice joinChoice();
    MenuChoice hostChoice();
    bool takeWaitedPress(const MenuEvent& event);
    void tryKey(int key);
    void tryPadButton(int button);
    std::string waitingPrompt() const;

    MenuScreen current = SCREEN_START;
    int highlighted = 0;
    int firstShown = 0;
    std::string notice;

    Level level = NORMAL;
    int humanPlayer = 1;
    std::string portText;
    std::string addressText;
    std::vector<std::string> addresses;
    std::vector<std::string> recordings;
    std::vector<std::string> cameras;

    Settings saved;
    Settings edited;
    Waiting waiting = WAIT_NONE;
    int waitingPlayer = 0;
    int waitingAction = 0;
};

// Rows a screen shows at once; a longer screen scrolls with the highlight.
const int MENU_ROWS_SHOWN = 11;

#endif
