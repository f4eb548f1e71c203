// The few settings functions the menu calls, for the menu's tests while settings/ has only its
// header: the defaults its comments give, SDL's own key names, and the plain search for a key.
#include <SDL/SDL.h>

#include "settings/settings.h"

Settings::Settings() {
    const int player1[ACTION_COUNT] = {SDLK_a, SDLK_d, SDLK_w, SDLK_s, SDLK_z, SDLK_x, SDLK_c};
    const int player2[ACTION_COUNT] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_b, SDLK_n, SDLK_m};
    const int pad[PAD_ACTION_COUNT] = {2, 0, 1};
    for (int action = 0; action < ACTION_COUNT; action++) {
        keys[0][action] = player1[action];
        keys[1][action] = player2[action];
    }
    for (int k = 0; k < PAD_ACTION_COUNT; k++) {
        padButtons[0][k] = pad[k];
        padButtons[1][k] = pad[k];
    }
}

std::string keyName(int key) { return SDL_GetKeyName((SDLKey)key); }

bool keyTaken(const Settings& settings, int key, int player, int action, int& takenPlayer, int& takenAction) {
    for (int p = 0; p < 2; p++) {
        for (int a = 0; a < ACTION_COUNT; a++) {
            if (settings.keys[p][a] == key && !(p == player && a == action)) {
                takenPlayer = p;
                takenAction = a;
                return true;
            }
        }
    }
    return false;
}
