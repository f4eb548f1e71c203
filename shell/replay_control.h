// Recording the fight as it is played, and playing a recorded one back, around each frame.
#ifndef VANTORIX_REPLAY_CONTROL_H
#define VANTORIX_REPLAY_CONTROL_H

#include <cstdint>
#include <string>

#include "game/frame_inputs.h"
#include "shell/command_line.h"

// Before the fight: checks that --record names no existing file, or reads the file --replay
// names. False when the fight must not start, after saying why on standard error, or in
// refusal when given.
bool prepareRecordOrReplay(const CommandLine& options, std::string* refusal = nullptr);

// The fight is over (the start screen comes back): the recording closed, the replay forgotten,
// ready to prepare the next fight's.
void endRecordOrReplay();

// The sparks' seed: the recorded one in a replay, otherwise drawn from the clock (and written
// to the recording).
unsigned sparkSeed();

// True while the recorded frames drive the robots.
bool replayUnderWay();

// Once the frame's inputs are all in, just before the update: writes them to the recording and
// returns them, or returns the recorded frame's inputs in their place.
FrameInputs recordOrReplayFrame(const FrameInputs& live);

// Just after the update: the fight's fingerprint every second or so, written or compared; the
// recording reaches the disk once a second; the players take over when the recording ends.
void checkFrameAfterUpdate();

// Online, where the update runs inside the online fight: writes a frame once its inputs are
// final (or as it was played, when the online fight ends), with the fingerprint after it.
void recordPlayedFrame(const FrameInputs& inputs, uint32_t fingerprintAfter);

// Closes the recording complete; every way out of the game runs it, more than once is harmless.
void finishRecording();

#endif
