// The hand-sign analysis's passes over a frame, each in a plain and a vectorised version.
#ifndef VANTORIX_ANALYSIS_PASSES_H
#define VANTORIX_ANALYSIS_PASSES_H

#include "webcam/WebCam.h"

// White pixels (r = 255) of one frame, by column and by row of each half. Every barycentre and
// spread of the analysis is a sum over these: a column holds at most 240 white pixels.
struct WhiteCounts {
    int columns[IMAGE_WIDTH];
    int rows1[IMAGE_HEIGHT];  // player 1's half, columns 160-319
    int rows2[IMAGE_HEIGHT];  // player 2's half, columns 0-159
};

// The three passes, each over the 76,800 pixels of a frame:
// - sum of the grey levels (r + g + b) / 3, fraction dropped, over all pixels;
// - the mask: white (255, 255, 255, 16777215) where the grey level is above the threshold,
//   black (all 0) elsewhere;
// - the white-pixel counts.
struct AnalysisPasses {
    int (*sumGrey)(const Pixel* pixels);
    void (*writeMask)(Pixel* pixels, int threshold);
    void (*countWhite)(const Pixel* pixels, WhiteCounts& counts);
};

// Pixel by pixel; runs everywhere.
extern const AnalysisPasses plainPasses;
// Four pixels at a time with AVX2; true when this processor has it and *passes was set.
bool avx2Passes(AnalysisPasses* passes);
// The fastest version this processor runs, chosen once.
const AnalysisPasses& analysisPasses();

#endif
