// Where the settings and the recorded fights live, by the XDG base directory rules.
#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "settings/settings.h"

namespace {

// The rules ignore a value that is empty or not an absolute path.
std::string absoluteVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr && value[0] == '/' ? std::string(value) : std::string();
}

std::string homeFolder() {
    std::string home = absoluteVariable("HOME");
    if (!home.empty()) {
        return home;
    }
    const passwd* user = getpwuid(getuid());
    if (user != nullptr && user->pw_dir != nullptr && user->pw_dir[0] == '/') {
        return user->pw_dir;
    }
    // No home at all (a bare service account): the working folder, as a last resort.
    return ".";
}

std::string baseFolder(const char* variable, const char* underHome) {
    std::string folder = absoluteVariable(variable);
    return folder.empty() ? homeFolder() + underHome : folder;
}

}  // namespace

std::string settingsPath() {
    return baseFolder("XDG_CONFIG_HOME", "/.config") + "/vantorix/settings.ini";
}

std::string recordingsFolder() {
    return baseFolder("XDG_DATA_HOME", "/.local/share") + "/vantorix/recordings";
}
