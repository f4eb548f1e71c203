// Recording and replaying fights with the real program: keys in turn, frames counted, life bars.
#include "tests/e2e_replay/replay_run.h"

#include <chrono>
#include <thread>

#include "replay/recording.h"
#include "tests/support/screenshot.h"

static void pauseFor(int milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void tapKeys(RunningProgram& program, unsigned long window, const std::vector<std::string>& keys,
             int delayMs) {
    for (const std::string& key : keys) {
        program.tapKey(window, key);
        pauseFor(delayMs);
    }
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
        pauseFor(200);
    }
    return false;
}

// A bar runs from red to green, never blue; the backdrop behind it is dark or bluish.
static int litColumns(const Screenshot& shot, const PixelBox& bar) {
    int lit = 0;
    for (int x = bar.left; x < bar.right + 8; x++) {
        Rgb pixel = shot.at(x, bar.top);
        if (pixel.r + pixel.g > 180 && pixel.b < 80) {
            lit++;
        }
    }
    return lit;
}

std::pair<int, int> lifeBarLengths(const RunningProgram& program, unsigned long window) {
    Screenshot shot = Screenshot::ofWindow(program.display(), window);
    if (shot.width == 0) {
        return std::pair<int, int>(0, 0);
    }
    return std::pair<int, int>(litColumns(shot, LEFT_LIFE_BAR), litColumns(shot, RIGHT_LIFE_BAR));
}
