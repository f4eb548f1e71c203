// Reading the settings file with inih: each bad line costs only its own setting, a file that is
// not one at all costs everything (and is kept when the settings are next saved).
#include <fcntl.h>
#include <ini.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "settings/key_clashes.h"
#include "settings/settings.h"
#include "settings/settings_format.h"

namespace {

// Larger than any settings file a person or the game writes; anything bigger is something else.
const size_t LARGEST_FILE = 64 * 1024;

struct Reading {
    std::string name;
    const std::string* text = nullptr;
    size_t offset = 0;
    int line = 0;
    // The first line holding bytes that no text has, 0 for none.
    int notTextLine = 0;
    // The section of the line at hand as this side sees it, to name the setting of a line too
    // long for inih.
    std::string section;
    Settings settings;
    std::vector<NumberedLine> problems;
    std::map<std::string, int> firstLine;
    std::vector<Claim> keys;
    std::vector<Claim> buttons[2];

    void problem(const std::string& setting, const std::string& what) {
        std::string text = name + ":" + std::to_string(line) + ": ";
        problems.push_back({line, text + (setting.empty() ? "" : setting + ": ") + what});
    }
};

std::string lowercase(std::string text) {
    for (char& c : text) {
        c = (char)std::tolower((unsigned char)c);
    }
    return text;
}

std::string trimmed(const std::string& text) {
    size_t first = text.find_first_not_of(" \t");
    size_t last = text.find_last_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, last - first + 1);
}

bool controlByte(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7f; }

// inih asks for the text a line at a time. Each line goes over with its leading blanks taken
// off, so that an indented line is never joined to the one before it; a line with bytes no text
// has, or too long for inih, goes over empty (it is reported here, with its number).
char* nextLine(char* buffer, int size, void* stream) {
    Reading& reading = *(Reading*)stream;
    const std::string& text = *reading.text;
    if (reading.offset >= text.size()) {
        return nullptr;
    }
    size_t end = text.find('\n', reading.offset);
    end = end == std::string::npos ? text.size() : end;
    std::string line = text.substr(reading.offset, end - reading.offset);
    reading.offset = end + 1;
    reading.line++;
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    size_t start = line.find_first_not_of(" \t");
    line.erase(0, start == std::string::npos ? line.size() : start);
    if (std::any_of(line.begin(), line.end(), [](char c) { return controlByte(c); })) {
        if (reading.notTextLine == 0) {
            reading.notTextLine = reading.line;
        }
        line.clear();
    } else if ((int)line.size() + 2 > size) {
        size_t equals = line.find_first_of("=:");
        std::string name =
            equals == std::string::npos ? "" : lowercase(trimmed(line.substr(0, equals)));
        if (!reading.section.empty() && !name.empty()) {
            name = reading.section + "." + name;
        }
        reading.problem(name, "the line is longer than " + std::to_string(size - 2) +
                                  " characters; it is ignored");
        line.clear();
    } else if (!line.empty() && line[0] == '[' && line.find(']') != std::string::npos) {
        reading.section = lowercase(trimmed(line.substr(1, line.find(']') - 1)));
    }
    std::memcpy(buffer, line.c_str(), line.size());
    buffer[line.size()] = '\n';
    buffer[line.size() + 1] = '\0';
    return buffer;
}

std::string usedDefault(const std::string& value) {
    return "; the default (" + value + ") is used";
}

void readYesNo(Reading& r, const std::string& setting, const std::string& value, bool& target) {
    if (strcasecmp(value.c_str(), "yes") == 0 || strcasecmp(value.c_str(), "no") == 0) {
        target = strcasecmp(value.c_str(), "yes") == 0;
    } else {
        r.problem(setting, "\"" + value + "\" is neither yes nor no" + usedDefault(yesNo(target)));
    }
}

// A whole number from min to max; true when it was one.
bool readNumber(Reading& r, const std::string& setting, const std::string& value, int min, int max,
                int& target) {
    size_t digits = value.size() > 0 && value[0] == '-' ? 1 : 0;
    bool whole = value.size() > digits && value.size() <= digits + 9 &&
                 value.find_first_not_of("0123456789", digits) == std::string::npos;
    std::string why = "\"" + value + "\" is not a whole number";
    if (whole) {
        int number = std::stoi(value);
        if (number >= min && number <= max) {
            target = number;
            return true;
        }
        why =
            value + " is out of range (" + std::to_string(min) + " to " + std::to_string(max) + ")";
    }
    r.problem(setting, why + usedDefault(std::to_string(target)));
    return false;
}

void readKey(Reading& r, const std::string& setting, const std::string& value, int player,
             int action) {
    int key = keyFromName(value);
    std::string fallback = usedDefault(keyName(r.settings.keys[player][action]));
    if (key < 0) {
        r.problem(setting, "\"" + value + "\" is not the name of a key" + fallback);
    } else if (!keyBindable(key)) {
        r.problem(setting, keyName(key) + " is one of the game's own keys" + fallback);
    } else {
        r.keys.push_back({r.line, player * ACTION_COUNT + action, key});
    }
}

void readButton(Reading& r, const std::string& setting, const std::string& value, int pad,
                int button) {
    int number = r.settings.padButtons[pad][button];
    if (readNumber(r, setting, value, 0, PAD_BUTTON_MAX, number)) {
        r.buttons[pad].push_back({r.line, button, number});
    }
}

int indexOf(const char* const* names, int count, const std::string& name) {
    for (int i = 0; i < count; i++) {
        if (name == names[i]) {
            return i;
        }
    }
    return -1;
}

// Reads one setting into r.settings; false when the file has no such setting.
bool readSetting(Reading& r, const std::string& section, const std::string& key,
                 const std::string& value) {
    Settings& s = r.settings;
    std::string setting = section + "." + key;
    int player = section == "player1" ? 0 : section == "player2" ? 1 : -1;
    int pad = section == "pad1" ? 0 : section == "pad2" ? 1 : -1;
    int action = player >= 0 ? indexOf(ACTION_NAMES, ACTION_COUNT, key) : -1;
    int sign = pad >= 0 ? indexOf(ACTION_NAMES + PAD_ACTION_FIRST, PAD_ACTION_COUNT, key) : -1;
    if (action >= 0) {
        readKey(r, setting, value, player, action);
    } else if (sign >= 0) {
        readButton(r, setting, value, pad, sign);
    } else if (setting == "window.fullscreen") {
        readYesNo(r, setting, value, s.fullscreen);
    } else if (setting == "window.width") {
        readNumber(r, setting, value, WINDOW_WIDTH_MIN, WINDOW_WIDTH_MAX, s.windowWidth);
    } else if (setting == "window.height") {
        readNumber(r, setting, value, WINDOW_HEIGHT_MIN, WINDOW_HEIGHT_MAX, s.windowHeight);
    } else if (setting == "webcam.on") {
        readYesNo(r, setting, value, s.webcam);
    } else if (setting == "webcam.camera") {
        if (cameraValid(value)) {
            s.camera = value;
        } else {
            r.problem(setting, "no camera named" + usedDefault(s.camera));
        }
    } else if (setting == "webcam.hands") {
        int hands = indexOf(HANDS_NAMES, 2, lowercase(value));
        if (hands >= 0) {
            s.hands = hands;
        } else {
            r.problem(setting, "\"" + value + "\" is neither design nor room" +
                                   usedDefault(HANDS_NAMES[s.hands]));
        }
    } else if (setting == "sound.music") {
        readNumber(r, setting, value, 0, VOLUME_MAX, s.musicVolume);
    } else if (setting == "sound.effects") {
        readNumber(r, setting, value, 0, VOLUME_MAX, s.effectsVolume);
    } else if (setting == "recording.automatic") {
        readYesNo(r, setting, value, s.recordFights);
    } else {
        return false;
    }
    return true;
}

int onSetting(void* user, const char* section, const char* name, const char* value) {
    Reading& r = *(Reading*)user;
    std::string where = lowercase(trimmed(section));
    std::string key = lowercase(name);
    std::string setting = where.empty() ? key : where + "." + key;
    auto first = r.firstLine.find(setting);
    if (first != r.firstLine.end()) {
        r.problem(setting, "set again (first on line " + std::to_string(first->second) +
                               "); this line is ignored");
        return 1;
    }
    r.firstLine[setting] = r.line;
    if (!readSetting(r, where, key, value)) {
        r.problem(setting, where.empty()
                               ? "not a setting (it comes before any [section]); it is ignored"
                               : "not a setting; it is ignored");
    }
    // Every line is taken: the problems are kept here, with their words.
    return 1;
}

// The one line for a file that is not a settings file at all.
void refuseWhole(SettingsProblems& problems, const std::string& where, const std::string& why) {
    problems.lines.push_back(where + ": " + why + "; all settings are at their defaults");
    problems.damaged = true;
}

std::string buttonNumber(int button) { return std::to_string(button); }

void settleClashes(Reading& r) {
    std::vector<Slot> keySlots;
    for (int player = 0; player < 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            keySlots.push_back({"player" + std::to_string(player + 1) + "." + ACTION_NAMES[action],
                                DEFAULT_KEYS[player][action], &r.settings.keys[player][action]});
        }
    }
    settleClaims(keySlots, r.keys, bindableKeys(), keyName, r.name, r.problems);
    std::vector<int> buttons;
    for (int button = 0; button <= PAD_BUTTON_MAX; button++) {
        buttons.push_back(button);
    }
    for (int pad = 0; pad < 2; pad++) {
        std::vector<Slot> buttonSlots;
        for (int button = 0; button < PAD_ACTION_COUNT; button++) {
            buttonSlots.push_back(
                {"pad" + std::to_string(pad + 1) + "." + ACTION_NAMES[PAD_ACTION_FIRST + button],
                 DEFAULT_PAD_BUTTONS[button], &r.settings.padButtons[pad][button]});
        }
        settleClaims(buttonSlots, r.buttons[pad], buttons, buttonNumber, r.name, r.problems);
    }
}

}  // namespace

Settings readSettingsText(const std::string& text, const std::string& name,
                          SettingsProblems& problems) {
    Reading r;
    r.name = name;
    r.text = &text;
    int failedLine = ini_parse_stream(nextLine, &r, onSetting, &r);
    if (r.notTextLine > 0 && (failedLine <= 0 || r.notTextLine < failedLine)) {
        refuseWhole(problems, name + ":" + std::to_string(r.notTextLine),
                    "not text (it holds control characters), not a settings file");
        return Settings();
    }
    if (failedLine > 0) {
        refuseWhole(problems, name + ":" + std::to_string(failedLine),
                    "neither a [section] nor a name = value line, not a settings file");
        return Settings();
    }
    if (failedLine < 0) {
        refuseWhole(problems, name, "cannot be read (out of memory)");
        return Settings();
    }
    settleClashes(r);
    std::stable_sort(r.problems.begin(), r.problems.end(),
                     [](const NumberedLine& a, const NumberedLine& b) { return a.line < b.line; });
    for (const NumberedLine& problem : r.problems) {
        problems.lines.push_back(problem.text);
    }
    return r.settings;
}

Settings readSettings(const std::string& path, SettingsProblems& problems) {
    // Without waiting on a pipe or a device that someone put there: only a plain file is read.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0 && errno == ENOENT) {
        return Settings();
    }
    std::string text;
    int error = fd < 0 ? errno : 0;
    struct stat info;
    if (fd >= 0 && ::fstat(fd, &info) == 0 && !S_ISREG(info.st_mode)) {
        error = S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
    }
    char buffer[4096];
    while (fd >= 0 && error == 0 && text.size() <= LARGEST_FILE) {
        ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno != EINTR) {
            error = errno;
        } else if (got == 0) {
            break;
        } else if (got > 0) {
            text.append(buffer, (size_t)got);
        }
    }
    if (fd >= 0) {
        ::close(fd);
    }
    if (error != 0) {
        refuseWhole(problems, path,
                    "cannot be read: " +
                        (error == EINVAL ? std::string("not a plain file") : std::strerror(error)));
        return Settings();
    }
    if (text.size() > LARGEST_FILE) {
        refuseWhole(problems, path, "larger than 64 KB, not a settings file");
        return Settings();
    }
    return readSettingsText(text, path, problems);
}
