// One frame's inputs taken from the world's keys, pads and webcam, and given back to it: what a
// recording, a replay and a network peer exchange (FrameInputs, in rules/frame_inputs.h).
#ifndef VANTORIX_FRAME_INPUTS_H
#define VANTORIX_FRAME_INPUTS_H

#include "rules/frame_inputs.h"

class World;

// The webcam input waits for the start-up countdown to fall to this value.
const int WEBCAM_TIMER_GATE = 899;

// The inputs the next update will read.
FrameInputs takeInputs(const World& world);
// Sets the next update's inputs: clears the frame's, then sets these, as the keyboard would have.
void giveInputs(World& world, const FrameInputs& inputs);
// What the webcam makes of a frame whose keys gave these inputs: the hands' walking and signs in
// place of the keys' (none while the webcam is switched off or the start's countdown runs), the
// tower keys kept. handleWebcamEvents gives the same to the world.
FrameInputs webcamInputs(const World& world, const FrameInputs& keys, int baryX1, int baryX2,
                         int rps1, int rps2);

#endif
