// The design way of reading both hands (brightness against the frame's mean) as one HandReading.
#ifndef VANTORIX_DESIGN_READING_H
#define VANTORIX_DESIGN_READING_H

#include "webcam/hand_reading.h"

class CWebCam;

// Runs the design's four steps on the image (threshold, barycentres, spreads, signs), leaving
// the camera's members as they always were, and returns them as a reading. A player's found is
// true when that half had white pixels in this frame; the other fields are the members exactly
// as the game always took them, frame left 0 for the caller to count.
HandReading readDesignWay(CWebCam& cam, int image);

#endif
