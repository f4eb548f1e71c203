// Keeps the game at no more than 60 frames a second on displays that do not wait for the vertical blank.
#include "shell/frame_pacer.h"

#include <chrono>
#include <thread>

static long long steadyMicroseconds() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

static void sleepMicroseconds(long long microseconds) {
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds));
}

FramePacer::FramePacer() : now(steadyMicroseconds), sleep(sleepMicroseconds), frameStart(-1) {}

FramePacer::FramePacer(ClockFunction clock, SleepFunction sleepFunction)
    : now(clock), sleep(sleepFunction), frameStart(-1) {}

void FramePacer::beginFrame() { frameStart = now(); }

void FramePacer::endFrame() {
    if (frameStart < 0) {
        return;
    }
    long long elapsed = now() - frameStart;
    // A clock that jumped backwards counts as a frame that took no time.
    if (elapsed < 0) {
        elapsed = 0;
    }
    if (elapsed < FRAME_MICROSECONDS) {
        sleep(FRAME_MICROSECONDS - elapsed);
    }
}
