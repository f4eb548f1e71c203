// Fuzz target: any bytes read as settings.ini, then checked, written out and read back.
#include <algorithm>
#include <cstdint>
#include <string>

#include "settings/settings.h"
#include "settings/settings_format.h"
#include "tests/fuzz/fuzz_support.h"

// What the game may rely on, whatever the file held.
static void checkUsable(const Settings& s) {
    if (s.windowWidth < 320 || s.windowWidth > 7680 || s.windowHeight < 240 ||
        s.windowHeight > 4320 || s.hands < 0 || s.hands > 1 || s.musicVolume < 0 ||
        s.musicVolume > VOLUME_MAX || s.effectsVolume < 0 || s.effectsVolume > VOLUME_MAX ||
        !cameraValid(s.camera)) {
        fuzz::fail("a setting out of its range");
    }
    for (int player = 0; player < 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            int key = s.keys[player][action], takenPlayer, takenAction;
            if (!keyBindable(key) || keyTaken(s, key, player, action, takenPlayer, takenAction)) {
                fuzz::fail("a key that is the game's own or another action's: " + keyName(key));
            }
        }
        const int* buttons = s.padButtons[player];
        if (buttons[0] == buttons[1] || buttons[1] == buttons[2] || buttons[2] == buttons[0] ||
            *std::min_element(buttons, buttons + 3) < 0 ||
            *std::max_element(buttons, buttons + 3) > 31) {
            fuzz::fail("a pad button out of range or on two signs");
        }
    }
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SettingsProblems problems;
    Settings settings =
        readSettingsText(std::string((const char*)data, size), "fuzz.ini", problems);
    checkUsable(settings);
    if (problems.damaged && (problems.lines.size() != 1 || settings != Settings())) {
        fuzz::fail("a damaged file read as more than one line, or not as the defaults");
    }
    for (const std::string& line : problems.lines) {
        if (line.compare(0, 9, "fuzz.ini:") != 0 || line.find('\n') != std::string::npos) {
            fuzz::fail("a problem that does not name the file, or spreads over lines: " + line);
        }
    }

    // What was read is written and read again the same, without a word (in memory: the disk's
    // flushes would slow the fuzzer a hundredfold, and the tests cover the file's way).
    SettingsProblems again;
    if (readSettingsText(settingsText(settings), "again.ini", again) != settings ||
        !again.lines.empty()) {
        fuzz::fail("settings written do not read back the same: " +
                   (again.lines.empty() ? std::string("no word") : again.lines.front()));
    }
    return 0;
}
