// Which fingers a hand stretches, from the distances of its joints to the wrist, and the sign they make.
#include "webcam/landmark_sign.h"

#include <cmath>

#include "game/codes.h"

// A stretched finger's tip is some 1.3 times as far from the wrist as its middle joint, a curled
// one's under 1; a half-bent finger counts as neither stretched, so it gives no scissors.
static const float STRETCH_RATIO = 1.1f;

static float fromWrist(const HandLandmarks& hand, int point) {
    return std::hypot(hand.x[point] - hand.x[WRIST], hand.y[point] - hand.y[WRIST]);
}

StretchedFingers stretchedFingers(const HandLandmarks& hand) {
    static const int PIPS[4] = {INDEX_PIP, MIDDLE_PIP, RING_PIP, PINKY_PIP};
    static const int TIPS[4] = {INDEX_TIP, MIDDLE_TIP, RING_TIP, PINKY_TIP};
    StretchedFingers fingers;
    for (int f = 0; f < 4; ++f) {
        fingers.finger[f] = fromWrist(hand, TIPS[f]) > STRETCH_RATIO * fromWrist(hand, PIPS[f]);
    }
    return fingers;
}

int signOfFingers(const StretchedFingers& fingers) {
    const bool* f = fingers.finger;
    if (f[0] && f[1] && f[2] && f[3]) {
        return PAPER;
    }
    if (!f[0] && !f[1] && !f[2] && !f[3]) {
        return ROCK;
    }
    if (f[0] && f[1] && !f[2] && !f[3]) {
        return SCISSORS;
    }
    return NO_SIGN;
}
