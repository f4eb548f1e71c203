// The settings' defaults, as the game plays without a settings file, and who holds which key.
#include "settings/settings.h"

#include <SDL/SDL_keysym.h>
#include <ini.h>

#include "settings/settings_format.h"

const int DEFAULT_KEYS[2][ACTION_COUNT] = {
    {SDLK_a, SDLK_d, SDLK_w, SDLK_s, SDLK_z, SDLK_x, SDLK_c},
    {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_b, SDLK_n, SDLK_m},
};
// As game/gamepads.h numbers them: rock, paper, scissors.
const int DEFAULT_PAD_BUTTONS[PAD_ACTION_COUNT] = {2, 0, 1};

Settings::Settings() {
    for (int player = 0; player < 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            keys[player][action] = DEFAULT_KEYS[player][action];
        }
        for (int button = 0; button < PAD_ACTION_COUNT; button++) {
            padButtons[player][button] = DEFAULT_PAD_BUTTONS[button];
        }
    }
}

bool operator==(const Settings& a, const Settings& b) {
    for (int player = 0; player < 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            if (a.keys[player][action] != b.keys[player][action]) {
                return false;
            }
        }
        for (int button = 0; button < PAD_ACTION_COUNT; button++) {
            if (a.padButtons[player][button] != b.padButtons[player][button]) {
                return false;
            }
        }
    }
    return a.fullscreen == b.fullscreen && a.windowWidth == b.windowWidth &&
           a.windowHeight == b.windowHeight && a.webcam == b.webcam && a.camera == b.camera &&
           a.hands == b.hands && a.musicVolume == b.musicVolume &&
           a.effectsVolume == b.effectsVolume && a.recordFights == b.recordFights;
}

bool operator!=(const Settings& a, const Settings& b) { return !(a == b); }

bool keyTaken(const Settings& settings, int key, int player, int action, int& takenPlayer,
              int& takenAction) {
    for (int p = 0; p < 2; p++) {
        for (int a = 0; a < ACTION_COUNT; a++) {
            if (settings.keys[p][a] == key && (p != player || a != action)) {
                takenPlayer = p;
                takenAction = a;
                return true;
            }
        }
    }
    return false;
}

// Only a path the file can hold again: inih trims blanks at either end of a value and takes a ';'
// at its start or after a blank for a comment, which would cut the path when it is read back; and
// the line written, "camera = " and the path, must fit in the longest line the reader takes
// (inih's buffer, less the newline and the end), or it is ignored when read back.
static const size_t LONGEST_CAMERA = INI_MAX_LINE - 2 - std::string("camera = ").size();

bool cameraValid(const std::string& camera) {
    if (camera.empty() || camera.size() > LONGEST_CAMERA || camera.front() == ' ' || camera.back() == ' ' ||
        camera.front() == ';') {
        return false;
    }
    for (size_t i = 0; i < camera.size(); i++) {
        unsigned char c = (unsigned char)camera[i];
        if (c < 0x20 || c == 0x7f || (c == ';' && camera[i - 1] == ' ')) {
            return false;
        }
    }
    return true;
}
