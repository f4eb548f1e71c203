// The player's settings in this run.
#include "shell/player_settings.h"

#include <sys/stat.h>

#include <cstdio>
#include <ctime>

#include "game/controls.h"
#include "shell/Son.h"

static Settings current;
// A file with problems is kept beside the new one the first time settings are saved over it.
static bool fileHadProblems = false;

Settings loadPlayerSettings(CommandLine& options) {
    SettingsProblems problems;
    current = readSettings(settingsPath(), problems);
    for (const std::string& line : problems.lines) {
        std::fprintf(stderr, "Vantorix: %s\n", line.c_str());
    }
    std::fflush(stderr);
    fileHadProblems = !problems.lines.empty() || problems.damaged;
    if (!options.windowGiven) {
        options.windowWidth = current.windowWidth;
        options.windowHeight = current.windowHeight;
        options.fullscreen = current.fullscreen;
    }
    if (!options.cameraGiven) {
        options.camera = current.camera;
    }
    if (!options.handsGiven) {
        options.hands = current.hands == HANDS_ROOM ? HANDS_ROOM : HANDS_DESIGN;
    }
    return current;
}

void applyPlayerSettings(const Settings& settings) {
    useControls(settings);
    setVolumes(settings.musicVolume, settings.effectsVolume);
}

bool savePlayerSettings(const Settings& settings, std::string& error) {
    if (!writeSettings(settingsPath(), settings, fileHadProblems, error)) {
        return false;
    }
    fileHadProblems = false;
    current = settings;
    applyPlayerSettings(settings);
    return true;
}

const Settings& playerSettings() { return current; }

// A new file in the recordings folder for each fight, named after the time it began.
std::string newRecordingPath(std::string& error) {
    std::string folder = recordingsFolder();
    if (!makeFolders(folder)) {
        error = "cannot make the recordings folder \"" + folder + "\"";
        return "";
    }
    struct stat info;
    char stamp[32];
    std::time_t now = std::time(nullptr);
    std::strftime(stamp, sizeof stamp, "%Y-%m-%d-%H%M%S", std::localtime(&now));
    std::string path = folder + "/fight-" + stamp + ".vxr";
    for (int n = 2; stat(path.c_str(), &info) == 0; n++) {
        path = folder + "/fight-" + stamp + "-" + std::to_string(n) + ".vxr";
    }
    return path;
}
