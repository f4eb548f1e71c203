// The player's settings, kept between runs in settings.ini: the window, the keys, the pads, the
// webcam, the volumes and automatic recording. The command line overrides them for one run.
#ifndef VANTORIX_SETTINGS_H
#define VANTORIX_SETTINGS_H

#include <string>
#include <vector>

// What each player's keys and pad buttons do, in the order the settings file and the settings
// screen list them.
enum PlayerAction {
    ACTION_LEFT = 0,
    ACTION_RIGHT,
    ACTION_UP,
    ACTION_DOWN,
    ACTION_ROCK,
    ACTION_PAPER,
    ACTION_SCISSORS,
    ACTION_COUNT
};

// The actions a pad's buttons give (the d-pad and stick always walk).
const int PAD_ACTION_FIRST = ACTION_ROCK;
const int PAD_ACTION_COUNT = 3;

const int VOLUME_MAX = 100;

struct Settings {
    bool fullscreen = false;
    int windowWidth = 800;
    int windowHeight = 600;
    // SDL key codes (SDLKey values), per player 1 and 2 and action. Defaults: a d w s z x c for
    // player 1, the arrows and b n m for player 2.
    int keys[2][ACTION_COUNT];
    // SDL joystick button numbers for rock, paper, scissors, per pad (players 1 and 2).
    int padButtons[2][PAD_ACTION_COUNT];
    bool webcam = true;
    std::string camera = "/dev/video0";
    // 0: the design way of reading hands, 1: the room way (as HandsWay in webcam/worker.h).
    int hands = 0;
    int musicVolume = VOLUME_MAX;
    int effectsVolume = VOLUME_MAX;
    bool recordFights = false;

    Settings();
};

bool operator==(const Settings& a, const Settings& b);
bool operator!=(const Settings& a, const Settings& b);

// What reading a settings file found wrong, one line each: "FILE:LINE: SETTING: what is wrong".
struct SettingsProblems {
    std::vector<std::string> lines;
    // True when the file exists but could not be read as a whole (it is then never overwritten
    // without keeping it as settings.ini.bak).
    bool damaged = false;
};

// $XDG_CONFIG_HOME/vantorix/settings.ini, or ~/.config/vantorix/settings.ini.
std::string settingsPath();
// $XDG_DATA_HOME/vantorix/recordings, or ~/.local/share/vantorix/recordings.
std::string recordingsFolder();

// mkdir -p with the player's own folders (mode 0700); false, errno set, when one cannot be made
// or a file stands in its place.
bool makeFolders(const std::string& folder);

// Reads the file at path over the defaults. A missing file is no problem. Every unknown key, bad
// value or value out of range leaves that setting at its default and adds a line to problems;
// everything else in the file is kept.
Settings readSettings(const std::string& path, SettingsProblems& problems);
// The same from text in memory (the fuzz target's way in); name stands for the file in messages.
Settings readSettingsText(const std::string& text, const std::string& name, SettingsProblems& problems);

// Writes all settings atomically (a temporary file beside it, then a rename), making the folder
// when needed. When the file there had problems, it is first kept as settings.ini.bak. Returns
// false, with one line in error, when it cannot be written; the old file is then untouched.
bool writeSettings(const std::string& path, const Settings& settings, bool keepOldAsBackup,
                   std::string& error);

// The name a key has in the settings file and on screen ("a", "left", "right shift"), and the
// key a name stands for (-1 for none).
std::string keyName(int key);
int keyFromName(const std::string& name);
// False for keys without a name and for the game's own keys (Escape, the tower keys f g h, F1,
// F2, F3, F11): the settings screen refuses them as a player's key.
bool keyBindable(int key);

// The player and action already using key, other than (player, action) itself; false when free.
bool keyTaken(const Settings& settings, int key, int player, int action, int& takenPlayer,
              int& takenAction);

#endif
