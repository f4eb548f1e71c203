// The 3 x 3 blur that ignores black, and the mean of a list of pixels it rests on.
#include "webcam/filter_support.h"

Pixel moyenne(const Pixel* list, int count) {
    int sums[3] = {0, 0, 0};
    int lit[3] = {0, 0, 0};
    for (int k = 0; list != nullptr && k < count; k++) {
        const int values[3] = {list[k].r, list[k].g, list[k].b};
        for (int c = 0; c < 3; c++) {
            sums[c] += values[c];
            lit[c] += values[c] != 0;
        }
    }
    int mean[3];
    for (int c = 0; c < 3; c++) {
        mean[c] = lit[c] == 0 ? 0 : sums[c] / lit[c];
    }
    Pixel p;
    setChannels(p, mean[0], mean[1], mean[2]);
    return p;
}

// ceil(65536 / n) for n 1-9 (0 for n 0, whose sum is 0 too). With a sum of at most 255 n,
// (sum * RECIPROCAL[n]) >> 16 equals sum / n exactly: the excess is below n / 65536 per unit,
// under 1 / n over the whole sum.
static const int RECIPROCAL[10] = {0, 65536, 32768, 21846, 16384, 13108, 10923, 9363, 8192, 7282};

// One channel of a row, with a zero at each end for the neighbours outside the picture.
typedef int PaddedRow[IMAGE_WIDTH + 2];

static void loadRow(const Pixel* row, PaddedRow (&planes)[3]) {
    for (int c = 0; c < 3; c++) {
        planes[c][0] = 0;
        planes[c][IMAGE_WIDTH + 1] = 0;
    }
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        planes[0][j + 1] = row[j].r;
        planes[1][j + 1] = row[j].g;
        planes[2][j + 1] = row[j].b;
    }
}

static void clearRow(PaddedRow (&planes)[3]) {
    for (int c = 0; c < 3; c++) {
        for (int j = 0; j < IMAGE_WIDTH + 2; j++) {
            planes[c][j] = 0;
        }
    }
}

// Each pixel becomes the mean of the non-black values of its 3 x 3 window, written back at once,
// so the row above and the pixel to the left enter already blurred. Everything in the window but
// the pixel to the left is known before a row starts; those sums and counts are taken first, in
// a pass that runs wide, and the pass along the row adds only the left neighbour.
void CWebCam::CalFlou(int image) {
    if (!filterImageOk(*this, image, "CalFlou")) {
        return;
    }
    Pixel (*rows)[IMAGE_WIDTH] = images[image].pixels;
    PaddedRow above[3], here[3], below[3];
    clearRow(above);
    loadRow(rows[0], here);
    int windowSum[3][IMAGE_WIDTH];
    int windowCount[3][IMAGE_WIDTH];
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        if (i + 1 < IMAGE_HEIGHT) {
            loadRow(rows[i + 1], below);
        } else {
            clearRow(below);
        }
        for (int c = 0; c < 3; c++) {
            for (int j = 0; j < IMAGE_WIDTH; j++) {
                int sum = 0;
                int count = 0;
                for (int d = 0; d < 3; d++) {
                    sum += above[c][j + d] + below[c][j + d];
                    count += (above[c][j + d] != 0) + (below[c][j + d] != 0);
                }
                sum += here[c][j + 1] + here[c][j + 2];
                count += (here[c][j + 1] != 0) + (here[c][j + 2] != 0);
                windowSum[c][j] = sum;
                windowCount[c][j] = count;
            }
        }
        int left[3] = {0, 0, 0};
        Pixel* row = rows[i];
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            for (int c = 0; c < 3; c++) {
                int count = windowCount[c][j] + (left[c] != 0);
                left[c] = ((windowSum[c][j] + left[c]) * RECIPROCAL[count]) >> 16;
                above[c][j + 1] = left[c];
            }
            setChannels(row[j], left[0], left[1], left[2]);
        }
        // The blurred row is now above the next one; `above` already holds it.
        for (int c = 0; c < 3; c++) {
            for (int j = 0; j < IMAGE_WIDTH + 2; j++) {
                here[c][j] = below[c][j];
            }
        }
    }
}
