// One run of the real game on a display of its own: start, watch, play a little, close.
#ifndef VANTORIX_TEST_SHORT_FIGHT_H
#define VANTORIX_TEST_SHORT_FIGHT_H

#include <string>

#include "tests/support/x_driver.h"

struct RunOutcome {
    bool displayStarted = false;
    bool windowsAppeared = false;   // both the game window and the view window
    bool aliveAfterPlay = false;    // still running after the short fight
    int exitStatus = -1;            // -1: had to be killed
    std::string output;
    std::string errors;
};

// Starts the game in workingDirectory. If both windows come up it plays a short fight (both
// robots walk into each other, a punch, a head punch, signs on both towers, the three extra
// tower keys), checks that it still runs, then closes the view window and waits for the end.
// If the game ends before its windows are up, that end is recorded.
RunOutcome runAndPlay(const std::string& workingDirectory);

// Taps the walking keys of both players in separate frames until they stand face to face.
void walkTogether(XDriver& driver, unsigned long gameWindow);

#endif
