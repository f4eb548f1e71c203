// The steps registered to run before the game window ends the process.
#include "game/quit.h"

#include <vector>

static std::vector<void (*)()>& hooks() {
    static std::vector<void (*)()> registered;
    return registered;
}

void onGameQuit(void (*hook)()) { hooks().push_back(hook); }

void runQuitHooks() {
    std::vector<void (*)()> pending;
    pending.swap(hooks());
    for (void (*hook)() : pending) {
        hook();
    }
}
