// One frame of the game, top to bottom, as the main loop and the probes run it.
#ifndef VANTORIX_FRAME_H
#define VANTORIX_FRAME_H

#include "game/frame_inputs.h"

// When the frame's parts ended, in microseconds of the monotonic clock, for the probes.
struct FrameClock {
    double start = 0;
    double inputsGathered = 0;
    double stepped = 0;
    double drawn = 0;
};

// The frame's inputs, in this order: the keys and pads, then the webcam (which replaces them
// while it is on), then the computer's player. keys gets the keys' and pads' own share, which is
// what an online peer plays where the webcam finds nothing.
FrameInputs gatherFrameInputs(FrameInputs& keys);

// One frame: its inputs gathered, the fight stepped (online, the rollback fight), the inputs
// recorded or replaced by a replay's, the strikes heard, the picture drawn and shown.
void playFrame(FrameClock* clock = nullptr);

double monotonicMicroseconds();

#endif
