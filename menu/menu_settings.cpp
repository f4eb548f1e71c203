// The settings screen's changes: values stepped left and right, and a player's new key or pad
// button taken only when nobody else has it.
#include <SDL/SDL_keysym.h>

#include <string>
#include <vector>

#include "menu/menu_row.h"

static const int VOLUME_STEP = 10;

// Step 0 is Enter or a click: one step on, coming round after the last value.
static int stepped(int value, int count, int step) {
    if (step == 0) {
        return (value + 1) % count;
    }
    int next = value + step;
    return next < 0 ? 0 : next >= count ? count - 1 : next;
}

static void changeVolume(int& volume, int step) {
    int steps = VOLUME_MAX / VOLUME_STEP + 1;
    volume = stepped(volume / VOLUME_STEP, steps, step) * VOLUME_STEP;
}

static void changeWindowSize(Settings& settings, int step) {
    std::vector<WindowSize> sizes = windowSizes(settings);
    int at = 0;
    while (sizes[at].width != settings.windowWidth || sizes[at].height != settings.windowHeight) {
        at++;
    }
    at = stepped(at, (int)sizes.size(), step);
    settings.windowWidth = sizes[at].width;
    settings.windowHeight = sizes[at].height;
}

static void changeCamera(std::string& camera, const std::vector<std::string>& cameras, int step) {
    std::vector<std::string> all = cameras;
    int at = 0;
    while (at < (int)all.size() && all[at] != camera) {
        at++;
    }
    if (at == (int)all.size()) {
        all.push_back(camera);
    }
    // Both ways come round: cameras have no order a player would count on.
    int count = (int)all.size();
    camera = all[((at + (step < 0 ? -1 : 1)) % count + count) % count];
}

void Menu::change(const Row& row, int step) {
    // Two-valued rows turn over whichever way they are pushed.
    switch (row.id) {
    case ROW_LEVEL: level = (Level)((level + (step < 0 ? 2 : 1)) % 3); break;
    case ROW_SIDE: humanPlayer = 3 - humanPlayer; break;
    case ROW_FULLSCREEN: edited.fullscreen = !edited.fullscreen; break;
    case ROW_WINDOW_SIZE: changeWindowSize(edited, step); break;
    case ROW_MUSIC: changeVolume(edited.musicVolume, step); break;
    case ROW_EFFECTS: changeVolume(edited.effectsVolume, step); break;
    case ROW_WEBCAM: edited.webcam = !edited.webcam; break;
    case ROW_CAMERA: changeCamera(edited.camera, cameras, step); break;
    case ROW_HANDS: edited.hands = 1 - edited.hands; break;
    case ROW_RECORD_FIGHTS: edited.recordFights = !edited.recordFights; break;
    case ROW_RESTORE_KEYS: {
        Settings defaults;
        for (int player = 0; player < 2; player++) {
            for (int action = 0; action < ACTION_COUNT; action++) {
                edited.keys[player][action] = defaults.keys[player][action];
            }
            for (int k = 0; k < PAD_ACTION_COUNT; k++) {
                edited.padButtons[player][k] = defaults.padButtons[player][k];
            }
        }
        notice = "The default keys and buttons are back (Save keeps them)";
        break;
    }
    default: break;
    }
}

// Keys the game keeps for itself whatever the players' keys are.
static const char* keptFor(int key) {
    switch (key) {
    case SDLK_ESCAPE: return "the pause screen";
    case SDLK_F1:
    case SDLK_F2: return "turning the webcam off and on";
    case SDLK_F3: return "learning the room again";
    case SDLK_F11: return "fullscreen";
    case SDLK_f:
    case SDLK_g:
    case SDLK_h: return "the towers";
    default: return nullptr;
    }
}

static std::string whose(int player, const char* what) {
    return "player " + std::to_string(player + 1) + "'s " + what;
}

void Menu::tryKey(int key) {
    int takenPlayer = 0;
    int takenAction = 0;
    if (keptFor(key) != nullptr) {
        notice = keyName(key) + " is kept for " + keptFor(key);
    } else if (!keyBindable(key)) {
        // A key the settings file has no name for could not be read back next time.
        notice = "That key cannot be a player's: choose another";
    } else if (keyTaken(edited, key, waitingPlayer, waitingAction, takenPlayer, takenAction)) {
        notice = keyName(key) + " is already " + whose(takenPlayer, actionName(takenAction));
    } else {
        edited.keys[waitingPlayer][waitingAction] = key;
        notice.clear();
        waiting = WAIT_NONE;
    }
}

void Menu::tryPadButton(int button) {
    const int* buttons = edited.padButtons[waitingPlayer];
    for (int k = 0; k < PAD_ACTION_COUNT; k++) {
        if (k != waitingAction && buttons[k] == button) {
            notice = "Button " + std::to_string(button) + " is already " + whose(waitingPlayer, "pad's") +
                     " " + actionName(PAD_ACTION_FIRST + k);
            return;
        }
    }
    edited.padButtons[waitingPlayer][waitingAction] = button;
    notice.clear();
    waiting = WAIT_NONE;
}

// While a row waits, Escape keeps what it had; on a pad, B does too unless a button is awaited.
bool Menu::takeWaitedPress(const MenuEvent& event) {
    if (waiting == WAIT_PAD_BUTTON && event.button >= 0) {
        tryPadButton(event.button);
    } else if (event.kind == MENU_BACK) {
        notice.clear();
        waiting = WAIT_NONE;
    } else if (waiting == WAIT_KEY && event.key > 0) {
        tryKey(event.key);
    } else {
        return false;
    }
    return true;
}
