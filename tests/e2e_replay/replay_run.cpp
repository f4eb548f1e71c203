// Recording and replaying fights with the real program: keys, the life bars, the recording's words.
#include "tests/e2e_replay/replay_run.h"

#include <chrono>
#include <cstdlib>
#include <thread>

#include "replay/recording.h"
#include "tests/support/screenshot.h"

const char* const GAME_WINDOW = "Vantorix";
const char* const VIEW_WINDOW = "Vantorix webcam";
const char* const TAKE_OVER = "; the players take over";
const char* const NO_LONGER_MATCHING = "no longer shows the recorded fight";
const char* const ENDS_EARLY = "ends early";

void pressKeys(unsigned long window, const std::string& keys, int delayMs) {
    std::string command = "xdotool windowfocus --sync " + std::to_string(window) + " key --delay " +
                          std::to_string(delayMs) + " " + keys;
    std::system(command.c_str());
}

void pause(int milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

bool waitForErrorText(RunningProgram& program, const std::string& text, int timeoutMs) {
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        if (program.errors().find(text) != std::string::npos) {
            return true;
        }
        pause(100);
    }
    return false;
}

static size_t recordedFrames(const std::string& file) {
    Recording recording;
    std::string error;
    return loadRecording(file, recording, error) ? recording.frames.size() : 0;
}

bool waitForRecordedFrames(const std::string& file, size_t frames, int timeoutMs) {
    size_t goal = recordedFrames(file) + frames;
    for (int waited = 0; waited < timeoutMs; waited += 200) {
        if (recordedFrames(file) >= goal) {
            return true;
        }
        pause(200);
    }
    return false;
}

// A bar runs from red to green, never blue; the backdrop behind it is dark or bluish.
static int litColumns(const Screenshot& shot, float left) {
    int row = overlayRow(0.78f);
    int lit = 0;
    for (int x = overlayColumn(left); x < overlayColumn(left + 0.5f) + 8; x++) {
        Rgb pixel = shot.at(x, row);
        if (pixel.r + pixel.g > 180 && pixel.b < 80) {
            lit++;
        }
    }
    return lit;
}

std::vector<int> lifeBarLengths(unsigned long window) {
    Screenshot shot = Screenshot::ofWindow(window);
    if (shot.width == 0) {
        return {};
    }
    return {litColumns(shot, -0.85f), litColumns(shot, 0.35f)};
}
