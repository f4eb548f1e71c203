// Test support: the real game in a fresh copy of its data, on its own X server, both windows up.
#ifndef VANTORIX_TEST_RUNNING_GAME_H
#define VANTORIX_TEST_RUNNING_GAME_H

#include <string>
#include <vector>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

struct RunningGame {
    DataCopy data;
    RunningProgram program;
    unsigned long gameWindow;  // 0 when it did not appear
    unsigned long viewWindow;

    // Starts the game with its command-line arguments in a copy of data/ without the named files,
    // on an X screen of the given size, and waits for both windows.
    explicit RunningGame(const std::vector<std::string>& arguments = std::vector<std::string>(),
                         const std::vector<std::string>& without = std::vector<std::string>(),
                         const std::string& screen = Launch().screen);
    bool up() const { return gameWindow != 0 && viewWindow != 0; }
    // Closes the view window and waits for the end: the exit status.
    int closeViewWindow();
};

// For a game started by any command (an installed launcher, a script): waits for both windows,
// closes the view window and expects the loop's one quit line and status 0. Fails the current
// test otherwise.
void expectBothWindowsThenCleanEnd(RunningProgram& run);

#endif
