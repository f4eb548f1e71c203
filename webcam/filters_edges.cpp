// Edge marking: every step between neighbours larger than a threshold is drawn white.
#include <algorithm>
#include <cstdlib>

#include "webcam/filter_support.h"

// One row's channels as packed colours (r + g·256 + b·65536), four bytes a pixel, starting one
// pixel in so that the pixel left of column 0 can be read (column 0 has no left step anyway).
typedef uint32_t PackedRow[IMAGE_WIDTH + 1];

static void loadPacked(const Pixel* row, PackedRow& packed) {
    packed[0] = 0;
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        packed[j + 1] = pixelRgb(row[j]);
    }
}

static unsigned char distance(unsigned char a, unsigned char b) {
    return static_cast<unsigned char>(std::max(a, b) - std::min(a, b));
}

// Per pixel of a row, non-zero when some channel differs from the pixel above, or from the pixel
// on the left when `left` is set, by more than `threshold` (0-254). Works byte by byte on the
// packed rows, sixteen bytes at a step; the spare top byte is 0 in both rows and never counts.
static void findSteps(const PackedRow& up, const PackedRow& here, bool left, unsigned char threshold,
                      uint32_t* steps) {
    const unsigned char* u = reinterpret_cast<const unsigned char*>(up + 1);
    const unsigned char* h = reinterpret_cast<const unsigned char*>(here + 1);
    // Without the step left, each pixel is compared with itself there: distance 0.
    const unsigned char* l = reinterpret_cast<const unsigned char*>(left ? here : here + 1);
    unsigned char* over = reinterpret_cast<unsigned char*>(steps);
    for (int k = 0; k < IMAGE_WIDTH * 4; k++) {
        over[k] = std::max(distance(h[k], u[k]), distance(h[k], l[k])) > threshold;
    }
}

static bool channelStep(uint32_t a, uint32_t b, int threshold) {
    for (int shift = 0; shift < 24; shift += 8) {
        int x = static_cast<int>((a >> shift) & 255);
        int y = static_cast<int>((b >> shift) & 255);
        if (std::abs(x - y) > threshold) {
            return true;
        }
    }
    return false;
}

// Edges of the picture as it was, before any pixel turns white: each row is compared with the
// original channels of the row above, kept here for the length of the call. Pairs count only
// where the scan of inner pixels (rows 1-238, columns 1-318) reaches them from either side: a
// step up is seen in rows 1-239 at columns 1-318, a step left in rows 1-238 at columns 1-319.
// The pixel below or right of each step turns white.
static void markEdges(Pixel (*rows)[IMAGE_WIDTH], int threshold) {
    if (threshold >= 255) {
        return;  // no two bytes differ by more
    }
    // Below 0 every pair differs by more; from 0 on the byte test is exact.
    unsigned char least = static_cast<unsigned char>(std::max(threshold, 0));
    bool everyPair = threshold < 0;
    PackedRow packed[2];
    uint32_t steps[IMAGE_WIDTH];
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        PackedRow& here = packed[i % 2];
        const PackedRow& up = packed[(i + 1) % 2];
        loadPacked(rows[i], here);
        if (i == 0) {
            continue;
        }
        bool left = i < IMAGE_HEIGHT - 1;
        if (everyPair) {
            std::fill(steps, steps + IMAGE_WIDTH, 1u);
        } else {
            findSteps(up, here, left, least, steps);
        }
        // Column 0 has neither step; column 319 only the step left.
        steps[0] = 0;
        steps[IMAGE_WIDTH - 1] = left && channelStep(here[IMAGE_WIDTH], here[IMAGE_WIDTH - 1], threshold);
        Pixel* row = rows[i];
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            // White where marked, the pixel as it was elsewhere, with no branch on the mark.
            uint64_t keep = 0ull - static_cast<uint64_t>(steps[j] == 0);
            uint64_t word = (pixelWord(row[j]) & keep) | (WHITE_WORD & ~keep);
            std::memcpy(&row[j], &word, sizeof word);
        }
    }
}

// One row's grey levels, starting 16 bytes in so that the pixel left of column 0 can be read.
const int GREY_PAD = 16;
typedef unsigned char GreyRow[GREY_PAD + IMAGE_WIDTH];

// The grey of CalGris, (r + g + b) / 3.
static void loadGrey(const Pixel* row, GreyRow& grey) {
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        uint32_t rgb = pixelRgb(row[j]);
        grey[GREY_PAD + j] = static_cast<unsigned char>(((rgb & 255) + ((rgb >> 8) & 255) + (rgb >> 16)) / 3);
    }
}

// The grey twin of findSteps, one byte a pixel.
static void findGreySteps(const GreyRow& up, const GreyRow& here, bool left, unsigned char threshold,
                          unsigned char* steps) {
    const unsigned char* u = up + GREY_PAD;
    const unsigned char* h = here + GREY_PAD;
    const unsigned char* l = left ? h - 1 : h;
    for (int j = 0; j < IMAGE_WIDTH; j++) {
        steps[j] = std::max(distance(h[j], u[j]), distance(h[j], l[j])) > threshold;
    }
}

// CalGris and the edges of its grey picture in one pass: each row is made grey and marked at
// once, against the grey of the row above as it was before marking. The pairs compared are
// those of markEdges.
static void greyEdges(Pixel (*rows)[IMAGE_WIDTH], int threshold) {
    unsigned char least = static_cast<unsigned char>(std::min(std::max(threshold, 0), 255));
    GreyRow greys[2] = {};
    unsigned char steps[IMAGE_WIDTH];
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        GreyRow& here = greys[i % 2];
        const GreyRow& up = greys[(i + 1) % 2];
        loadGrey(rows[i], here);
        std::fill(steps, steps + IMAGE_WIDTH, 0);
        bool left = i < IMAGE_HEIGHT - 1;
        if (i > 0 && threshold < 0) {
            std::fill(steps, steps + IMAGE_WIDTH, 1);
        } else if (i > 0 && threshold < 255) {
            findGreySteps(up, here, left, least, steps);
        }
        steps[0] = 0;
        int last = GREY_PAD + IMAGE_WIDTH - 1;
        steps[IMAGE_WIDTH - 1] = i > 0 && left && std::abs(here[last] - here[last - 1]) > threshold;
        Pixel* row = rows[i];
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            // White is the grey 255: a marked pixel takes every bit set.
            uint32_t level = here[GREY_PAD + j] | (0u - steps[j]);
            storeRgb(row[j], (level & 255) * 0x010101u);
        }
    }
}

void CWebCam::CalContourGris(int image, int threshold) {
    if (!imageIndexOk(*this, image, "CalContourGris")) {
        return;
    }
    greyEdges(images[image].pixels, threshold);
}

void CWebCam::CalContour(int image, int threshold) {
    if (!imageIndexOk(*this, image, "CalContour")) {
        return;
    }
    markEdges(images[image].pixels, threshold);
}
