// Image filters that reduce colours to a few levels: mean threshold, two-level, three- and five-level.
#include <cstdlib>
#include <vector>

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
    if (!imageIndexOk(*this, image, "CalSeuilCouleur")) {
        return mean;
    }
    // Three 256-bin histograms, kept in four interleaved copies so that neighbouring pixels of
    // one colour do not wait on each other's count; they live only for the call.
    const int COPIES = 4;  // PIXEL_COUNT is a multiple of it
    std::vector<uint32_t> counts(COPIES * 3 * 256, 0);
    const Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k += COPIES) {
        for (int c = 0; c < COPIES; c++) {
            uint32_t rgb = pixelRgb(run[k + c]);
            uint32_t* copy = &counts[c * 3 * 256];
            copy[rgb & 255]++;
            copy[256 + ((rgb >> 8) & 255)]++;
            copy[512 + (rgb >> 16)]++;
        }
    }
    uint32_t sums[3] = {0, 0, 0};
    for (int channel = 0; channel < 3; channel++) {
        for (uint32_t value = 0; value < 256; value++) {
            uint32_t count = 0;
            for (int c = 0; c < COPIES; c++) {
                count += counts[(c * 3 + channel) * 256 + value];
            }
            sums[channel] += value * count;
        }
    }
    setChannels(mean, static_cast<int>(sums[0] / PIXEL_COUNT), static_cast<int>(sums[1] / PIXEL_COUNT),
                static_cast<int>(sums[2] / PIXEL_COUNT));
    return mean;
}

void CWebCam::CalBiCouleurSeuil(int image) {
    if (!imageIndexOk(*this, image, "CalBiCouleurSeuil")) {
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
    if (!imageIndexOk(*this, image, "CalExpole16to16")) {
        return;
    }
    const int levels[3] = {0, 128, 255};
    const int outputs[3] = {0, 127, 254};
    ChannelTables tables;
    buildLevelTables(tables, levels, outputs, 3);
    mapChannels(pixelRun(images[image]), tables);
}

void CWebCam::CalExpole16to256(int image) {
    if (!imageIndexOk(*this, image, "CalExpole16to256")) {
        return;
    }
    const int levels[5] = {0, 64, 128, 192, 255};
    const int outputs[5] = {0, 64, 128, 192, 255};
    ChannelTables tables;
    buildLevelTables(tables, levels, outputs, 5);
    mapChannels(pixelRun(images[image]), tables);
}
