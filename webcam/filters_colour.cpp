// Image filters on the colour channels: packing, negative, colour offset, mirror, difference.
#include <algorithm>
#include <cstring>

#include "webcam/filter_support.h"

// Channels of a packed colour by signed division, as the capture splits GetPixel's result:
// b = c / 65536, g = (c - b·65536) / 256, r = the low 8 bits.
static uint32_t channelsOfPacked(int c) {
    int b = c / 65536;
    int g = (c - b * 65536) / 256;
    return static_cast<uint32_t>(packColour(c & 255, g & 255, b & 255));
}

void CWebCam::CalRGB(int image) {
    if (!imageIndexOk(*this, image, "CalRGB")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    // For a couleur of 0 or more the division gives its three low bytes, taken without dividing;
    // a negative couleur anywhere sends the whole picture through the division.
    uint32_t negative = 0;
    for (int k = 0; k < PIXEL_COUNT; k++) {
        negative |= static_cast<uint32_t>(run[k].couleur);
    }
    bool packed = (negative & 0x80000000u) == 0;
    for (int k = 0; k < PIXEL_COUNT; k++) {
        // couleur stays as it was; only the channel bytes change.
        uint64_t word = pixelWord(run[k]);
        uint32_t c = static_cast<uint32_t>(word >> 32);
        uint32_t rgb = packed ? c & 0xFFFFFFu : channelsOfPacked(static_cast<int>(c));
        word = (word & 0xFFFFFFFF00000000ull) | rgb;
        std::memcpy(&run[k], &word, sizeof word);
    }
}

void CWebCam::CalCouleur(int image) {
    if (!imageIndexOk(*this, image, "CalCouleur")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        storeRgb(run[k], pixelRgb(run[k]));
    }
}

void CWebCam::CalInvCouleur(int image) {
    if (!imageIndexOk(*this, image, "CalInvCouleur")) {
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        // 255 - v of every channel at once: no channel borrows from the next.
        storeRgb(run[k], 0xFFFFFFu - pixelRgb(run[k]));
    }
}

// One channel value plus an offset. Wrapping takes the sum as unsigned modulo 255, so 255 gives 0;
// saturating keeps sums of at most 255 taken as unsigned, so a negative sum also gives 255.
static unsigned char offsetChannel(int value, int offset, bool wrap) {
    // Summed as unsigned 32-bit values: the same bits as a wrapping signed sum, with no overflow.
    uint32_t sum = static_cast<uint32_t>(value) + static_cast<uint32_t>(offset);
    if (wrap) {
        return static_cast<unsigned char>(sum % 255u);
    }
    return static_cast<unsigned char>(sum <= 255u ? sum : 255u);
}

void CWebCam::CalAddCouleur(int image, int addR, int addG, int addB, bool wrap) {
    if (!imageIndexOk(*this, image, "CalAddCouleur")) {
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
    if (!imageIndexOk(*this, image, "CalMirroir")) {
        return;
    }
    Pixel (*rows)[IMAGE_WIDTH] = images[image].pixels;
    if (horizontal && vertical) {
        // Both mirrors together send position k of the run to position 76,799 - k.
        std::reverse(pixelRun(images[image]), pixelRun(images[image]) + PIXEL_COUNT);
        return;
    }
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
    if (!imageIndexOk(*this, first, "CalSoustraction") || !imageIndexOk(*this, second, "CalSoustraction") ||
        !imageIndexOk(*this, target, "CalSoustraction")) {
        return;
    }
    // Byte by byte over whole pixels, sixteen bytes at a step: the channel bytes get their
    // differences, the spare byte and couleur's bytes meaningless values that the second loop
    // replaces. Reading a pixel's bytes before writing them, the target may be either source.
    const unsigned char* a = reinterpret_cast<const unsigned char*>(pixelRun(images[first]));
    const unsigned char* b = reinterpret_cast<const unsigned char*>(pixelRun(images[second]));
    unsigned char* out = reinterpret_cast<unsigned char*>(pixelRun(images[target]));
    for (size_t k = 0; k < PIXEL_COUNT * sizeof(Pixel); k++) {
        out[k] = static_cast<unsigned char>(a[k] > b[k] ? a[k] - b[k] : b[k] - a[k]);
    }
    Pixel* run = pixelRun(images[target]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        storeRgb(run[k], pixelRgb(run[k]));
    }
}
