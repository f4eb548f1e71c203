// Recording and replaying fights with the real program: keys, the life bars, the recording's words.
#ifndef VANTORIX_TEST_REPLAY_RUN_H
#define VANTORIX_TEST_REPLAY_RUN_H

#include <string>
#include <vector>

#include "tests/support/program.h"

extern const char* const GAME_WINDOW;
extern const char* const VIEW_WINDOW;
// What the game says when a replay ends, when it stops matching, and when a file ended early.
extern const char* const TAKE_OVER;
extern const char* const NO_LONGER_MATCHING;
extern const char* const ENDS_EARLY;

const int START_TIMEOUT_MS = 60000;
const int EXIT_TIMEOUT_MS = 20000;

// Presses the keys in turn in the window, with the pause between them (milliseconds).
void pressKeys(unsigned long window, const std::string& keys, int delayMs = 80);
void pause(int milliseconds);
// Waits until the program's standard error holds the text; false after the timeout.
bool waitForErrorText(RunningProgram& program, const std::string& text, int timeoutMs);
// Waits until the recording being written holds this many frames more than it does now (the
// game flushes it once a second, so at least that many have been played); false after the timeout.
bool waitForRecordedFrames(const std::string& file, size_t frames, int timeoutMs = 4 * START_TIMEOUT_MS);
// How many pixel columns of each life bar are lit, player 1's then player 2's.
std::vector<int> lifeBarLengths(unsigned long window);

#endif
