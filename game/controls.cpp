// The players' keys and pad buttons, and Escape's meaning.
#include "game/controls.h"

#include "platform/game_end.h"

static Settings current;
static void (*pauseHook)() = nullptr;

void useControls(const Settings& settings) { current = settings; }

int controlKey(int player, int action) { return current.keys[player == 1 ? 0 : 1][action]; }

int controlPadButton(int player, int padAction) {
    return current.padButtons[player == 1 ? 0 : 1][padAction];
}

void onPauseKey(void (*hook)()) { pauseHook = hook; }

void escapePressed() {
    if (pauseHook == nullptr) {
        endGame(0);
    }
    pauseHook();
}

void startPressed() {
    if (pauseHook != nullptr) {
        pauseHook();
    }
}
