// The sign a hand's landmarks show: which fingers are stretched.
#ifndef VANTORIX_LANDMARK_SIGN_H
#define VANTORIX_LANDMARK_SIGN_H

#include "webcam/landmark_model.h"

// The four long fingers, index to little, stretched or not; the thumb is left out, since a fist
// may hold it out or in and a flat hand may fold it.
struct StretchedFingers {
    bool finger[4] = {false, false, false, false};
};

// A finger is stretched when its tip lies farther from the wrist than its middle joint (PIP) by
// more than a tenth: curled, the tip comes back into the palm, nearer than the joint.
StretchedFingers stretchedFingers(const HandLandmarks& hand);

// A sign code of game/codes.h: paper for all four fingers stretched, rock for none, scissors
// for the index and middle alone, NO_SIGN for anything else.
int signOfFingers(const StretchedFingers& fingers);

#endif
