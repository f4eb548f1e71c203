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

// ceil(65536 / n) for n 1-9 (0 for n 0, whose sum is 0 too). (sum * RECIPROCAL[n]) >> 16 is
// sum / n in whole numbers: for a sum of at most 255 n it overshoots the true quotient by less
// than 2,295 / 65,536, while a fraction below the next whole number is at least 1 / n away from it.
static const int RECIPROCAL[10] = {0, 65536, 32768, 21846, 16384, 13108, 10923, 9363, 8192, 7282};

// One channel of a row, with a zero at each end for the neighbours outside the picture.
typedef uint16_t PaddedRow[IMAGE_WIDTH + 2];

// The three channels of a row.
struct RowChannels {
    PaddedRow channel[3];
};

static void loadRow(const Pixel* row, RowChannels& planes) {
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        uint32_t rgb = pixelRgb(row[j]);
        planes.channel[0][j + 1] = static_cast<uint16_t>(rgb & 255);
        planes.channel[1][j + 1] = static_cast<uint16_t>((rgb >> 8) & 255);
        planes.channel[2][j + 1] = static_cast<uint16_t>(rgb >> 16);
    }
}

// Sums and counts of the non-zero values of each pixel's window but its left neighbour: the
// three pixels above (already blurred), the three below, the pixel itself and the one on its right.
static void windowsWithoutLeft(const PaddedRow& above, const PaddedRow& here, const PaddedRow& below,
                               uint16_t* sums, uint16_t* counts) {
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        uint16_t sum = 0;
        uint16_t count = 0;
        for (int d = 0; d < 3; d++) {
            sum = static_cast<uint16_t>(sum + above[j + d] + below[j + d]);
            count = static_cast<uint16_t>(count + (above[j + d] != 0) + (below[j + d] != 0));
        }
        sums[j] = static_cast<uint16_t>(sum + here[j + 1] + here[j + 2]);
        counts[j] = static_cast<uint16_t>(count + (here[j + 1] != 0) + (here[j + 2] != 0));
    }
}

// Adds the left neighbour to each count. A blurred value is non-zero exactly when its window
// held a non-zero value, so the left neighbour of every pixel after the first one whose window
// (without the left) holds one is non-zero, and no other is: the counts are known before the
// values, and the pass along the row only waits for the value itself.
static void addLeftToCounts(uint16_t* counts) {
    int first = 0;
    while (first < IMAGE_WIDTH && counts[first] == 0) {
        first++;
    }
    for (int j = first + 1; j < IMAGE_WIDTH; j++) {
        counts[j]++;
    }
}

// Each pixel becomes the mean of the non-black values of its 3 x 3 window, written back at once,
// so the row above and the pixel to the left enter already blurred. Everything in the window but
// the value of the pixel to the left is known before a row starts and is summed first, in passes
// that run wide; the pass along the row then adds only that value, which the pixel before it has
// just produced.
void CWebCam::CalFlou(int image) {
    if (!imageIndexOk(*this, image, "CalFlou")) {
        return;
    }
    Pixel (*rows)[IMAGE_WIDTH] = images[image].pixels;
    // Zero everywhere at first: the row above the picture, and the padding columns for good.
    RowChannels buffers[3] = {};
    RowChannels* above = &buffers[0];  // each row once blurred, for the row below it
    RowChannels* here = &buffers[1];
    RowChannels* below = &buffers[2];
    loadRow(rows[0], *here);
    uint16_t sums[3][IMAGE_WIDTH];
    uint16_t counts[3][IMAGE_WIDTH];
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        if (i + 1 < IMAGE_HEIGHT) {
            loadRow(rows[i + 1], *below);
        } else {
            *below = RowChannels();
        }
        for (int c = 0; c < 3; c++) {
            windowsWithoutLeft(above->channel[c], here->channel[c], below->channel[c], sums[c], counts[c]);
            addLeftToCounts(counts[c]);
        }
        int left[3] = {0, 0, 0};
        Pixel* row = rows[i];
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            for (int c = 0; c < 3; c++) {
                left[c] = ((sums[c][j] + left[c]) * RECIPROCAL[counts[c][j]]) >> 16;
                above->channel[c][j + 1] = static_cast<uint16_t>(left[c]);
            }
            storeRgb(row[j], static_cast<uint32_t>(left[0] | (left[1] << 8) | (left[2] << 16)));
        }
        // The row below becomes the next row; this row's original planes are free for the one after.
        RowChannels* spare = here;
        here = below;
        below = spare;
    }
}
