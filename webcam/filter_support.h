// Helpers shared by the image filters: the pixel run of a buffer, colour packing and index checks.
#ifndef VANTORIX_FILTER_SUPPORT_H
#define VANTORIX_FILTER_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "webcam/WebCam.h"
#include "webcam/image_check.h"

const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;

inline int packColour(int r, int g, int b) {
    return r + g * 256 + b * 65536;
}

// The filters read and write a pixel as one 64-bit word: r, g, b in bytes 0-2, a spare byte, and
// couleur in bytes 4-7. A write of all four fields is then one store instead of four, which is
// what lets the loops run several pixels at a time.
static_assert(sizeof(Pixel) == 8 && offsetof(Pixel, r) == 0 && offsetof(Pixel, g) == 1 &&
                  offsetof(Pixel, b) == 2 && offsetof(Pixel, couleur) == 4,
              "Pixel is r, g, b, a spare byte and couleur");
static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "pixel words are read little-endian");

inline uint64_t pixelWord(const Pixel& p) {
    uint64_t word;
    std::memcpy(&word, &p, sizeof word);
    return word;
}

// The three channels packed as couleur is (r + g·256 + b·65536).
inline uint32_t pixelRgb(const Pixel& p) {
    return static_cast<uint32_t>(pixelWord(p)) & 0xFFFFFFu;
}

// Sets r, g, b from a packed colour (0 to 16,777,215) and couleur to the same value.
inline void storeRgb(Pixel& p, uint32_t rgb) {
    uint64_t word = rgb | (static_cast<uint64_t>(rgb) << 32);
    std::memcpy(&p, &word, sizeof word);
}

// Each channel keeps its low 8 bits, as a store into the field would.
inline void setChannels(Pixel& p, int r, int g, int b) {
    storeRgb(p, static_cast<uint32_t>(packColour(r & 255, g & 255, b & 255)));
}

inline void setBlack(Pixel& p) {
    storeRgb(p, 0);
}

// A white pixel as one word: channels 255 and couleur 16,777,215.
const uint64_t WHITE_WORD = 0x00FFFFFF00FFFFFFull;

inline void setWhite(Pixel& p) {
    storeRgb(p, 0xFFFFFFu);
}

// The 76,800 pixels of a buffer, rows one after the other.
inline Pixel* pixelRun(const Image& image) {
    return &image.pixels[0][0];
}

// Per-channel tables: tables[0] for r, [1] for g, [2] for b, each indexed by the old value.
typedef unsigned char ChannelTables[3][256];

// Sends every channel of the 76,800 pixels through its table and repacks couleur.
void mapChannels(Pixel* run, const ChannelTables& tables);

#endif
