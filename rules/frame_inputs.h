// One frame's inputs as the rules read them: what a recording, a replay and a network peer
// exchange.
#ifndef VANTORIX_RULES_FRAME_INPUTS_H
#define VANTORIX_RULES_FRAME_INPUTS_H

// Tower keys pressed in a frame, as bits of FrameInputs::towerKeys.
const int TOWER_KEY_F = 1;
const int TOWER_KEY_G = 2;
const int TOWER_KEY_H = 4;

// Walking (0 or 1 each) and sign (a sign code) of both players, after keys, pads and webcam
// have all had their say, plus the tower keys of the frame.
struct FrameInputs {
    int left1 = 0;
    int right1 = 0;
    int sign1 = 0;
    int left2 = 0;
    int right2 = 0;
    int sign2 = 0;
    int towerKeys = 0;
};

bool operator==(const FrameInputs& a, const FrameInputs& b);
bool operator!=(const FrameInputs& a, const FrameInputs& b);

#endif
