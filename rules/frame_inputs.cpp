// Comparing two frames' inputs.
#include "rules/frame_inputs.h"

bool operator==(const FrameInputs& a, const FrameInputs& b) {
    return a.left1 == b.left1 && a.right1 == b.right1 && a.sign1 == b.sign1 &&
           a.left2 == b.left2 && a.right2 == b.right2 && a.sign2 == b.sign2 &&
           a.towerKeys == b.towerKeys;
}

bool operator!=(const FrameInputs& a, const FrameInputs& b) { return !(a == b); }
