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

// Each channel's mean is Σ(value × count of value) / 76,800 over its 256-bin histogram. That sum
// is the sum of the channel over the pixels, taken here directly: the same whole numbers (at most
// 19,584,000, no overflow) without the 230,400 scattered counts, which cost more than the rest of
// the filter.
Pixel CWebCam::CalSeuilCouleur(int image) const {
    Pixel mean = {0, 0, 0, 0};
    if (!filterImageOk(*this, image, "CalSeuilCouleur")) {
        return mean;
    }
    const Pixel* run = pixelRun(images[image]);
    uint32_t sumR = 0;
    uint32_t sumG = 0;
    uint32_t sumB = 0;
    for (int k = 0; k < PIXEL_COUNT; k++) {
        uint32_t rgb = pixelRgb(run[k]);
        sumR += rgb & 255;
        sumG += (rgb >> 8) & 255;
        sumB += rgb >> 16;
    }
    setChannels(mean, static_cast<int>(sumR / PIXEL_COUNT), static_cast<int>(sumG / PIXEL_COUNT),
                static_cast<int>(sumB / PIXEL_COUNT));
    return mean;
}

void CWebCam::CalBiCouleurSeuil(int image) {
    if (!filterImageOk(*this, image, "CalBiCouleurSeuil")) {
        return;
    }
    Pixel mean = CalSeuilCouleur(image);
    int threshold = (mean.r + mean.g + mean.b) / 3;
    // (r + g + b) / 3 > threshold in whole numbers is r + g + b >= 3 threshold + 3.
    int least = 3 * threshold + 3;
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        uint32_t rgb = pixelRgb(run[k]);
        int sum = static_cast<int>((rgb & 255) + ((rgb >> 8) & 255) + (rgb >> 16));
        // All ones or all zeros, without a branch that noise round the threshold would mispredict.
        int lit = -static_cast<int>(sum >= least);
        storeRgb(run[k], static_cast<uint32_t>(lit) & 0xFFFFFFu);
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
