// Image filters on the colour channels: packing, negative, colour offset, mirror, difference.
#include <algorithm>
#include <cstdlib>

#include "webcam/filter_support.h"

void CWebCam::CalRGB(int image) {
    if (!filterImageOk(*this, image, "CalRGB")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel& p = run[k];
        int c = p.couleur;
        int b = c / 65536;
        p.b = static_cast<unsigned char>(b);
        p.g = static_cast<unsigned char>((c - b * 65536) / 256);
        p.r = static_cast<unsigned char>(c & 255);
    }
}

void CWebCam::CalCouleur(int image) {
    if (!filterImageOk(*this, image, "CalCouleur")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        run[k].couleur = packColour(run[k].r, run[k].g, run[k].b);
    }
}

void CWebCam::CalInvCouleur(int image) {
    if (!filterImageOk(*this, image, "CalInvCouleur")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel& p = run[k];
        setChannels(p, 255 - p.r, 255 - p.g, 255 - p.b);
    }
}

// One channel value plus an offset. Wrapping takes the sum as unsigned modulo 255, so 255 gives 0;
// saturating keeps sums of at most 255 taken as unsigned, so a negative sum also gives 255.
static unsigned char offsetChannel(int value, int offset, bool wrap) {
    unsigned int sum = static_cast<unsigned int>(value + offset);
    if (wrap) {
        return static_cast<unsigned char>(sum % 255u);
    }
    return static_cast<unsigned char>(sum <= 255u ? sum : 255u);
}

void CWebCam::CalAddCouleur(int image, int addR, int addG, int addB, bool wrap) {
    if (!filterImageOk(*this, image, "CalAddCouleur")) {
        return;
    }
    // Only 256 inputs per channel: work each out once.
    ChannelTables tables;
    for (int v = 0; v < 256; v++) {
        tables[0][v] = offsetChannel(v, addR, wrap);
        tables[1][v] = offsetChannel(v, addG, wrap);
        tables[2][v] = offsetChannel(v, addB, wrap);
    }
    mapChannels(pixelRun(images[image]), tables);
}

void CWebCam::CalMirroir(int image, bool horizontal, bool vertical) {
    if (!filterImageOk(*this, image, "CalMirroir")) {
        return;
    }
    Pixel (*rows)[IMAGE_WIDTH] = images[image].pixels;
    if (horizontal) {
        for (int i = 0; i < IMAGE_HEIGHT; i++) {
            std::reverse(rows[i], rows[i] + IMAGE_WIDTH);
        }
    }
    if (vertical) {
        for (int i = 0; i < IMAGE_HEIGHT / 2; i++) {
            std::swap_ranges(rows[i], rows[i] + IMAGE_WIDTH, rows[IMAGE_HEIGHT - 1 - i]);
        }
    }
}

// The target gets the magnitude of each channel's difference, so neither order of the two
// frames loses a change.
void CWebCam::CalSoustraction(int first, int second, int target) {
    if (!filterImageOk(*this, first, "CalSoustraction") || !filterImageOk(*this, second, "CalSoustraction") ||
        !filterImageOk(*this, target, "CalSoustraction")) {
        return;
    }
    const Pixel* a = pixelRun(images[first]);
    const Pixel* b = pixelRun(images[second]);
    Pixel* out = pixelRun(images[target]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        int r = std::abs(a[k].r - b[k].r);
        int g = std::abs(a[k].g - b[k].g);
        int bl = std::abs(a[k].b - b[k].b);
        setChannels(out[k], r, g, bl);
    }
}
