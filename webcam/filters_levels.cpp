// Image filters that reduce colours to a few levels: mean threshold, two-level, three- and five-level.
#include <cstdlib>

#include "webcam/filter_support.h"

int min_tbl(const int* list, int count) {
    if (list == nullptr || count <= 0) {
        return -1;
    }
    int best = 0;
    for (int k = 1; k < count; k++) {
        if (list[k] < list[best]) {
            best = k;
        }
    }
    return best;
}

int max_tbl(const int* list, int count) {
    if (list == nullptr || count <= 0) {
        return -1;
    }
    int best = 0;
    for (int k = 1; k < count; k++) {
        if (list[k] > list[best]) {
            best = k;
        }
    }
    return best;
}

Pixel CWebCam::CalSeuilCouleur(int image) const {
    Pixel mean = {0, 0, 0, 0};
    if (!filterImageOk(*this, image, "CalSeuilCouleur")) {
        return mean;
    }
    // Two sets of tables, for even and odd pixels, so that runs of one colour do not make each
    // count wait for the one before; they are added together below.
    unsigned int counts[2][3][256] = {};
    const Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k += 2) {
        counts[0][0][run[k].r]++;
        counts[0][1][run[k].g]++;
        counts[0][2][run[k].b]++;
        counts[1][0][run[k + 1].r]++;
        counts[1][1][run[k + 1].g]++;
        counts[1][2][run[k + 1].b]++;
    }
    int sums[3] = {0, 0, 0};
    for (int c = 0; c < 3; c++) {
        for (int v = 0; v < 256; v++) {
            sums[c] += v * static_cast<int>(counts[0][c][v] + counts[1][c][v]);
        }
    }
    setChannels(mean, sums[0] / PIXEL_COUNT, sums[1] / PIXEL_COUNT, sums[2] / PIXEL_COUNT);
    return mean;
}

void CWebCam::CalBiCouleurSeuil(int image) {
    if (!filterImageOk(*this, image, "CalBiCouleurSeuil")) {
        return;
    }
    Pixel mean = CalSeuilCouleur(image);
    int threshold = (mean.r + mean.g + mean.b) / 3;
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel& p = run[k];
        if ((p.r + p.g + p.b) / 3 > threshold) {
            setWhite(p);
        } else {
            setBlack(p);
        }
    }
}

// Tables that send each channel value to the nearest of the given levels (the lowest on a tie),
// writing outputs[index of that level].
static void buildLevelTables(ChannelTables& tables, const int* levels, const int* outputs, int count) {
    for (int v = 0; v < 256; v++) {
        int distances[5];
        for (int k = 0; k < count; k++) {
            distances[k] = std::abs(v - levels[k]);
        }
        unsigned char out = static_cast<unsigned char>(outputs[min_tbl(distances, count)]);
        tables[0][v] = out;
        tables[1][v] = out;
        tables[2][v] = out;
    }
}

void CWebCam::CalExpole16to16(int image) {
    if (!filterImageOk(*this, image, "CalExpole16to16")) {
        return;
    }
    const int levels[3] = {0, 128, 255};
    const int outputs[3] = {0, 127, 254};
    ChannelTables tables;
    buildLevelTables(tables, levels, outputs, 3);
    mapChannels(pixelRun(images[image]), tables);
}

void CWebCam::CalExpole16to256(int image) {
    if (!filterImageOk(*this, image, "CalExpole16to256")) {
        return;
    }
    const int levels[5] = {0, 64, 128, 192, 255};
    const int outputs[5] = {0, 64, 128, 192, 255};
    ChannelTables tables;
    buildLevelTables(tables, levels, outputs, 5);
    mapChannels(pixelRun(images[image]), tables);
}
