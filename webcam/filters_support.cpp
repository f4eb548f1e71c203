// Helpers shared by the image filters.
#include "webcam/filter_support.h"

void mapChannels(Pixel* run, const ChannelTables& tables) {
    // Each output already in its place in the packed colour, so a pixel is three look-ups and two ors.
    uint32_t red[256], green[256], blue[256];
    for (int v = 0; v < 256; v++) {
        red[v] = tables[0][v];
        green[v] = static_cast<uint32_t>(tables[1][v]) << 8;
        blue[v] = static_cast<uint32_t>(tables[2][v]) << 16;
    }
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel& p = run[k];
        storeRgb(p, red[p.r] | green[p.g] | blue[p.b]);
    }
}
