// End-to-end support for the camera tests: the game on a chosen capture, its windows and keys.
#include "tests/e2e_camera/camera_run.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <thread>

#include "tests/support/screenshot.h"

const char* const GAME_WINDOW = "Vantorix";
const char* const VIEW_WINDOW = "Vantorix webcam";
const char* const QUIT_LINE = "Signaling thread to quit\n";
const char* const THREAD_LINE = "Thread quitting\n";
const int EXIT_TIMEOUT_MS = 20000;
static const int START_TIMEOUT_MS = 60000;

bool CameraRun::start(const std::vector<std::string>& arguments) {
    program.reset(new RunningProgram(data.path(), {"SDL_AUDIODRIVER=dummy"}, arguments));
    gameWindow = program->waitForWindow(GAME_WINDOW, START_TIMEOUT_MS);
    viewWindow = program->waitForWindow(VIEW_WINDOW, START_TIMEOUT_MS);
    EXPECT_NE(gameWindow, 0u) << program->errors();
    EXPECT_NE(viewWindow, 0u) << program->errors();
    return gameWindow != 0 && viewWindow != 0;
}

bool CameraRun::waitForError(const std::string& needle, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (program->errors().find(needle) != std::string::npos) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

void CameraRun::pressKey(unsigned long window, const char* key) {
    std::string command = "xdotool windowfocus --sync " + std::to_string(window) + " key " + key;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
}

bool CameraRun::paperKeyShowsItsIcon() {
    pressKey(gameWindow, "x");
    // The icon is brightest in the first frames after the press and fades over seconds.
    for (int attempt = 0; attempt < 8; attempt++) {
        Screenshot shot = Screenshot::ofWindow(gameWindow);
        if (shot.width == 800 && paperPixelsAtTopOfLeftTower(shot) > 100) {
            return true;
        }
    }
    return false;
}
