// One row of a menu screen: what it shows and what it stands for, for the menu's own files.
#ifndef VANTORIX_MENU_ROW_H
#define VANTORIX_MENU_ROW_H

#include "menu/menu.h"

enum RowId {
    ROW_INFO,
    ROW_TWO_PLAYERS,
    ROW_COMPUTER,
    ROW_HOST,
    ROW_JOIN,
    ROW_WATCH,
    ROW_SETTINGS,
    ROW_QUIT,
    ROW_BACK,
    ROW_LEVEL,
    ROW_SIDE,
    ROW_START_COMPUTER,
    ROW_PORT,
    ROW_START_HOSTING,
    ROW_ADDRESS,
    ROW_JOIN_NOW,
    ROW_RECORDING,
    ROW_FULLSCREEN,
    ROW_WINDOW_SIZE,
    ROW_MUSIC,
    ROW_EFFECTS,
    ROW_RECORD_FIGHTS,
    ROW_WEBCAM,
    ROW_CAMERA,
    ROW_HANDS,
    ROW_KEY,
    ROW_PAD_BUTTON,
    ROW_RESTORE_KEYS,
    ROW_SAVE,
    ROW_RESUME,
    ROW_BACK_TO_START,
    ROW_LEAVE,
    ROW_STAY,
};

struct Menu::Row {
    MenuItem item;
    RowId id = ROW_INFO;
    // ROW_KEY and ROW_PAD_BUTTON: whose and which; ROW_RECORDING: which recording.
    int player = 0;
    int action = 0;
    int index = 0;
};

bool rowSelectable(const Menu::Row& row);

// "left", "rock": an action as a sentence names it.
const char* actionName(int action);

// The window sizes the settings screen steps through, smallest first.
struct WindowSize {
    int width, height;
};
std::vector<WindowSize> windowSizes(const Settings& settings);

#endif
