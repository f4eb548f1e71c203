// A test's frame of inputs, as the rules read them: a sign code and a step (-1 left, 0 none,
// +1 right) for a player.
#ifndef VANTORIX_TESTS_RULES_FRAME_INPUT_H
#define VANTORIX_TESTS_RULES_FRAME_INPUT_H

#include "rules/frame_inputs.h"

// Sets one player's step: walking left, right, or neither.
inline void setStep(FrameInputs& inputs, int player, int step) {
    (player == 1 ? inputs.left1 : inputs.left2) = step < 0 ? 1 : 0;
    (player == 1 ? inputs.right1 : inputs.right2) = step > 0 ? 1 : 0;
}

inline FrameInputs player1(int sign, int step = 0) {
    FrameInputs inputs;
    inputs.sign1 = sign;
    setStep(inputs, 1, step);
    return inputs;
}

inline FrameInputs player2(int sign, int step = 0) {
    FrameInputs inputs;
    inputs.sign2 = sign;
    setStep(inputs, 2, step);
    return inputs;
}

inline FrameInputs both(int sign1, int sign2) {
    FrameInputs inputs;
    inputs.sign1 = sign1;
    inputs.sign2 = sign2;
    return inputs;
}

#endif
