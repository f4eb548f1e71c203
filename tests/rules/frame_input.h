// A test's frame of inputs: a sign code and a step (-1 left, 0 none, +1 right) per player.
#ifndef VANTORIX_TESTS_RULES_FRAME_INPUT_H
#define VANTORIX_TESTS_RULES_FRAME_INPUT_H

#include "rules/frame_inputs.h"

struct FrameInput {
    int sign1 = 0;
    int step1 = 0;
    int sign2 = 0;
    int step2 = 0;
};

inline FrameInput player1(int sign, int step = 0) { return FrameInput{sign, step, 0, 0}; }
inline FrameInput player2(int sign, int step = 0) { return FrameInput{0, 0, sign, step}; }
inline FrameInput both(int sign1, int sign2) { return FrameInput{sign1, 0, sign2, 0}; }

// The inputs as the rules read them.
inline FrameInputs rulesInputs(const FrameInput& input) {
    FrameInputs inputs;
    inputs.sign1 = input.sign1;
    inputs.left1 = input.step1 < 0 ? 1 : 0;
    inputs.right1 = input.step1 > 0 ? 1 : 0;
    inputs.sign2 = input.sign2;
    inputs.left2 = input.step2 < 0 ? 1 : 0;
    inputs.right2 = input.step2 > 0 ? 1 : 0;
    return inputs;
}

#endif
