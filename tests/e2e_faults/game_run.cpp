// One run of the real game on a display of its own: start, watch, play a little, close.
#include "tests/e2e_faults/game_run.h"

#include <chrono>
#include <thread>

#include "tests/support/program.h"

const char* const GAME_WINDOW = "Vantorix";
const char* const VIEW_WINDOW = "Vantorix webcam";

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// From 10 apart a step of both players closes 0.5 and twelve bring them into striking range;
// forty leave room for the slow frames of a sanitizer build, which may take in two taps at
// once, and the robots stop at contact however many more arrive.
void walkTogether(XDriver& driver, unsigned long gameWindow) {
    for (int step = 0; step < 40; step++) {
        driver.tap(gameWindow, "d");
        driver.tap(gameWindow, "Left");
        driver.flush();
        pause(60);
    }
}

// Both windows, or the program's end, whichever comes first.
static bool waitForWindowsOrExit(const PrivateDisplay& display, RunningProgram& program) {
    for (int waited = 0; waited <= START_TIMEOUT_MS; waited += 100) {
        if (display.findWindow(GAME_WINDOW) != 0 && display.findWindow(VIEW_WINDOW) != 0) {
            return true;
        }
        if (!program.running()) {
            return false;
        }
        pause(100);
    }
    return false;
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
    PrivateDisplay display;
    outcome.displayStarted = display.ready();
    if (!outcome.displayStarted) {
        return outcome;
    }
    RunningProgram program(workingDirectory, {display.environment()});
    outcome.windowsAppeared = waitForWindowsOrExit(display, program);
    if (outcome.windowsAppeared) {
        XDriver driver(display.name());
        playShortFight(driver, display.findWindow(GAME_WINDOW));
        outcome.aliveAfterPlay = program.running();
        driver.requestClose(display.findWindow(VIEW_WINDOW));
        driver.flush();
    }
    outcome.exitStatus = program.waitForExit(EXIT_TIMEOUT_MS);
    outcome.output = program.output();
    outcome.errors = program.errors();
    return outcome;
}

std::string sanitizerReport(const std::string& errors) {
    static const char* const markers[] = {"ERROR: AddressSanitizer", "runtime error:",
                                          "LeakSanitizer"};
    for (const char* marker : markers) {
        size_t at = errors.find(marker);
        if (at != std::string::npos) {
            size_t lineStart = errors.rfind('\n', at);
            lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
            return errors.substr(lineStart, errors.find('\n', at) - lineStart);
        }
    }
    return std::string();
}
