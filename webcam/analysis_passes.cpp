// The plain, pixel-by-pixel passes of the hand-sign analysis, and the choice of the fastest ones.
#include "webcam/analysis_passes.h"

static const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;
static const int HALF_WIDTH = IMAGE_WIDTH / 2;

static int plainSumGrey(const Pixel* p) {
    int sum = 0;  // at most 76,800 x 255
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        sum += (p[i].r + p[i].g + p[i].b) / 3;
    }
    return sum;
}

static void plainWriteMask(Pixel* p, int threshold) {
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        if ((p[i].r + p[i].g + p[i].b) / 3 > threshold) {
            p[i].r = p[i].g = p[i].b = 255;
            p[i].couleur = 16777215;
        } else {
            p[i].r = p[i].g = p[i].b = 0;
            p[i].couleur = 0;
        }
    }
}

static void plainCountWhite(const Pixel* p, WhiteCounts& counts) {
    for (int column = 0; column < IMAGE_WIDTH; ++column) {
        counts.columns[column] = 0;
    }
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        const Pixel* line = p + row * IMAGE_WIDTH;
        int white2 = 0, white1 = 0;
        for (int column = 0; column < HALF_WIDTH; ++column) {
            int white = line[column].r == 255;
            counts.columns[column] += white;
            white2 += white;
        }
        for (int column = HALF_WIDTH; column < IMAGE_WIDTH; ++column) {
            int white = line[column].r == 255;
            counts.columns[column] += white;
            white1 += white;
        }
        counts.rows1[row] = white1;
        counts.rows2[row] = white2;
    }
}

const AnalysisPasses plainPasses = {plainSumGrey, plainWriteMask, plainCountWhite};

static AnalysisPasses fastestPasses() {
    AnalysisPasses passes = plainPasses;
    avx2Passes(&passes);
    return passes;
}

const AnalysisPasses& analysisPasses() {
    static const AnalysisPasses chosen = fastestPasses();
    return chosen;
}
