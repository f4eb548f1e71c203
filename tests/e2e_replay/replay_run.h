// Recording and replaying fights with the real program: keys in turn, frames counted, life bars.
#ifndef VANTORIX_TEST_REPLAY_RUN_H
#define VANTORIX_TEST_REPLAY_RUN_H

#include <string>
#include <utility>
#include <vector>

#include "tests/support/program.h"

// Taps the keys in turn in the window, with the pause between them (milliseconds).
void tapKeys(RunningProgram& program, unsigned long window, const std::vector<std::string>& keys,
             int delayMs = 80);
// Waits until the recording being written holds this many frames more than it does now (the
// game flushes it once a second, so at least that many have been played); false after the timeout.
bool waitForRecordedFrames(const std::string& file, size_t frames, int timeoutMs = 4 * START_TIMEOUT_MS);
// How many pixel columns of each life bar are lit, player 1's then player 2's (0, 0 without a picture).
std::pair<int, int> lifeBarLengths(const RunningProgram& program, unsigned long window);

#endif
