// One run of the real game on a display of its own: start, watch, play a little, close.
#include "tests/e2e_faults/short_fight.h"

#include <chrono>
#include <thread>

#include "tests/support/contract.h"
#include "tests/support/program.h"

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

void walkTogether(XDriver& driver, unsigned long gameWindow) {
    for (int step = 0; step < WALK_TAPS; step++) {
        driver.tap(gameWindow, "d");
        driver.tap(gameWindow, "Left");
        driver.flush();
        pause(WALK_TAP_GAP_MS);
    }
}

// Every picture and effect of a fight comes into use: sign icons on both towers, the extra
// tower keys, and at contact range a punch of player 1 and a head punch of player 2 in the
// same frame (sparks, both effects).
static void playShortFight(XDriver& driver, unsigned long gameWindow) {
    walkTogether(driver, gameWindow);
    driver.tap(gameWindow, "x");
    driver.tap(gameWindow, "m");
    driver.tap(gameWindow, "f");
    driver.tap(gameWindow, "g");
    driver.tap(gameWindow, "h");
    driver.flush();
    pause(1000);
    driver.tap(gameWindow, "z");
    driver.tap(gameWindow, "b");
    driver.flush();
    pause(300);
}

RunOutcome runAndPlay(const std::string& workingDirectory) {
    RunOutcome outcome;
    RunningProgram program(workingDirectory);
    outcome.displayStarted = program.display().ready();
    unsigned long gameWindow = program.waitForWindow(GAME_WINDOW);
    unsigned long viewWindow = program.waitForWindow(VIEW_WINDOW);
    outcome.windowsAppeared = gameWindow != 0 && viewWindow != 0;
    if (outcome.windowsAppeared) {
        playShortFight(program.keys(), gameWindow);
        outcome.aliveAfterPlay = program.running();
        program.closeWindow(viewWindow);
    }
    outcome.exitStatus = program.waitForExit(EXIT_TIMEOUT_MS);
    outcome.output = program.output();
    outcome.errors = program.errors();
    return outcome;
}
