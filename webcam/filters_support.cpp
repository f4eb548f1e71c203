// Index checks of the image filters.
#include "webcam/filter_support.h"

#include <cstdio>

bool filterImageOk(const CWebCam& cam, int image, const char* operation) {
    if (image < 0 || image > 2) {
        std::fprintf(stderr, "%s: no image %d (the images are 0, 1 and 2)\n", operation, image);
        return false;
    }
    if (cam.images[image].pixels == nullptr) {
        std::fprintf(stderr, "%s: image %d has no pixels\n", operation, image);
        return false;
    }
    return true;
}

void mapChannels(Pixel* run, const ChannelTables& tables) {
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel& p = run[k];
        setChannels(p, tables[0][p.r], tables[1][p.g], tables[2][p.b]);
    }
}
