// Helpers shared by the image filters: the pixel run of a buffer, colour packing and index checks.
#ifndef VANTORIX_FILTER_SUPPORT_H
#define VANTORIX_FILTER_SUPPORT_H

#include "webcam/WebCam.h"

const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;

inline int packColour(int r, int g, int b) {
    return r + g * 256 + b * 65536;
}

inline void setChannels(Pixel& p, int r, int g, int b) {
    p.r = static_cast<unsigned char>(r);
    p.g = static_cast<unsigned char>(g);
    p.b = static_cast<unsigned char>(b);
    p.couleur = packColour(p.r, p.g, p.b);
}

inline void setBlack(Pixel& p) {
    p.r = 0;
    p.g = 0;
    p.b = 0;
    p.couleur = 0;
}

inline void setWhite(Pixel& p) {
    p.r = 255;
    p.g = 255;
    p.b = 255;
    p.couleur = 16777215;
}

// The 76,800 pixels of a buffer, rows one after the other.
inline Pixel* pixelRun(const Image& image) {
    return &image.pixels[0][0];
}

// Per-channel tables: tables[0] for r, [1] for g, [2] for b, each indexed by the old value.
typedef unsigned char ChannelTables[3][256];

// Sends every channel of the 76,800 pixels through its table and repacks couleur.
void mapChannels(Pixel* run, const ChannelTables& tables);

// True when the index names one of the three buffers; otherwise says so on stderr, naming the
// operation, so the filter can leave every buffer alone.
bool filterImageOk(const CWebCam& cam, int image, const char* operation);

#endif
