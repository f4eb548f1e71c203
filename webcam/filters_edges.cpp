// Edge marking: every step between neighbours larger than a threshold is drawn white.
#include <algorithm>
#include <cstdlib>

#include "webcam/filter_support.h"

// The channels of one row side by side, one plane per channel.
typedef unsigned char RowPlanes[3][IMAGE_WIDTH];

static void loadPlanes(const Pixel* row, RowPlanes& planes) {
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        planes[0][j] = row[j].r;
        planes[1][j] = row[j].g;
        planes[2][j] = row[j].b;
    }
}

// Marks of one row: whether a step to the pixel above or to the pixel on the left is an edge.
// Pairs are compared only where the scan of inner pixels (rows 1-238, columns 1-318) reaches them
// from either side: a step up is seen in rows 1-239 at columns 1-318, a step left in rows 1-238
// at columns 1-319. A difference equal to the threshold is no edge.
static void markRow(int i, const RowPlanes& up, const RowPlanes& here, int channels, int threshold,
                    unsigned char* marks) {
    std::fill(marks, marks + IMAGE_WIDTH, 0);
    if (i == 0) {
        return;
    }
    for (int c = 0; c < channels; c++) {
        for (int j = 1; j < IMAGE_WIDTH - 1; j++) {
            marks[j] |= std::abs(here[c][j] - up[c][j]) > threshold;
        }
        if (i < IMAGE_HEIGHT - 1) {
            for (int j = 1; j < IMAGE_WIDTH; j++) {
                marks[j] |= std::abs(here[c][j] - here[c][j - 1]) > threshold;
            }
        }
    }
}

// Marks are taken from the picture as it was, before any pixel turns white: each row's marks
// come from its own and the previous row's original channels, kept here for the length of the call.
static void markEdges(Pixel (*rows)[IMAGE_WIDTH], int channels, int threshold) {
    RowPlanes planes[2];
    unsigned char marks[IMAGE_WIDTH];
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        RowPlanes& here = planes[i % 2];
        const RowPlanes& up = planes[(i + 1) % 2];
        loadPlanes(rows[i], here);
        markRow(i, up, here, channels, threshold, marks);
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            if (marks[j]) {
                setWhite(rows[i][j]);
            }
        }
    }
}

void CWebCam::CalContourGris(int image, int threshold) {
    if (!filterImageOk(*this, image, "CalContourGris")) {
        return;
    }
    CalGris(image);
    // After CalGris the three channels hold the grey, so red alone tells.
    markEdges(images[image].pixels, 1, threshold);
}

void CWebCam::CalContour(int image, int threshold) {
    if (!filterImageOk(*this, image, "CalContour")) {
        return;
    }
    markEdges(images[image].pixels, 3, threshold);
}
