// End-to-end support for the camera tests: the game on a chosen capture, its windows and keys.
#ifndef VANTORIX_TESTS_E2E_CAMERA_RUN_H
#define VANTORIX_TESTS_E2E_CAMERA_RUN_H

#include <memory>
#include <string>
#include <vector>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

extern const char* const GAME_WINDOW;
extern const char* const VIEW_WINDOW;
extern const char* const QUIT_LINE;
extern const char* const THREAD_LINE;
extern const int EXIT_TIMEOUT_MS;

// The game started with the given command line in a fresh copy of the data, both windows open.
struct CameraRun {
    DataCopy data;
    std::unique_ptr<RunningProgram> program;
    unsigned long gameWindow = 0;
    unsigned long viewWindow = 0;

    // False (with the reason in a test failure) when a window did not appear.
    bool start(const std::vector<std::string>& arguments);
    // Waits until standard error holds needle; false after timeoutMs.
    bool waitForError(const std::string& needle, int timeoutMs);
    void pressKey(unsigned long window, const char* key);
    // Whether a press of x (player 1's paper) raises the paper icon on the left tower.
    bool paperKeyShowsItsIcon();
};

#endif
