// The player's settings in this run: read at start, overridden by the command line, applied to
// the keys, pads, sound, window and webcam, and saved again from the settings screen.
#ifndef VANTORIX_PLAYER_SETTINGS_H
#define VANTORIX_PLAYER_SETTINGS_H

#include <string>

#include "settings/settings.h"
#include "shell/command_line.h"

// Reads settings.ini, saying each problem on standard error in one line, and fills in what the
// command line left open: the window, fullscreen, the camera and the way of finding hands.
Settings loadPlayerSettings(CommandLine& options);

// The keys, pad buttons and volumes of these settings from now on.
void applyPlayerSettings(const Settings& settings);

// Writes the settings for the next runs (the file read at start kept as settings.ini.bak when
// it had problems). False with one line in error when it cannot be written.
bool savePlayerSettings(const Settings& settings, std::string& error);

// A new file in the recordings folder for a fight recorded automatically, named after the time
// it began; the folder is made when missing. Empty, with one line in error, when it cannot be.
std::string newRecordingPath(std::string& error);

// The settings as loaded or last saved.
const Settings& playerSettings();

#endif
