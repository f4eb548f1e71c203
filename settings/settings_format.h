// The settings file's own words and limits, shared by its reader and its writer.
#ifndef VANTORIX_SETTINGS_FORMAT_H
#define VANTORIX_SETTINGS_FORMAT_H

#include <string>
#include <vector>

#include "settings/settings.h"

const int WINDOW_WIDTH_MIN = 320;
const int WINDOW_WIDTH_MAX = 7680;
const int WINDOW_HEIGHT_MIN = 240;
const int WINDOW_HEIGHT_MAX = 4320;
const int PAD_BUTTON_MAX = 31;

// The names of [player1] and [player2]'s keys in PlayerAction order; the pads use the signs'.
const char* const ACTION_NAMES[ACTION_COUNT] = {"left", "right", "up",      "down",
                                                "rock", "paper", "scissors"};
// [webcam] hands, by Settings::hands.
const char* const HANDS_NAMES[2] = {"design", "room"};

extern const int DEFAULT_KEYS[2][ACTION_COUNT];
extern const int DEFAULT_PAD_BUTTONS[PAD_ACTION_COUNT];

inline const char* yesNo(bool value) { return value ? "yes" : "no"; }

// A camera the file can hold on one line: not empty, no control characters.
bool cameraValid(const std::string& camera);

// The whole file as writeSettings writes it.
std::string settingsText(const Settings& settings);

// Every key a player may take, in the order of the names' table (letters first).
std::vector<int> bindableKeys();

#endif
