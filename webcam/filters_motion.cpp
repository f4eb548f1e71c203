// Frame comparison: how alike two pixels are, and the motion picture of two frames.
#include "webcam/filter_support.h"

// Share of the smaller of two channel values in the larger; two zeros are alike.
static float channelLikeness(int a, int b) {
    int smaller = a < b ? a : b;
    int larger = a < b ? b : a;
    if (larger == 0) {
        return 1.0f;
    }
    return static_cast<float>(smaller) / static_cast<float>(larger);
}

// 0-100, 100 for identical colours: the mean share over blue, green and red, added in that order.
static int likenessScore(uint32_t p, uint32_t q) {
    float sum = 0.0f;
    sum += channelLikeness(static_cast<int>(p >> 16), static_cast<int>(q >> 16));
    sum += channelLikeness(static_cast<int>((p >> 8) & 255), static_cast<int>((q >> 8) & 255));
    sum += channelLikeness(static_cast<int>(p & 255), static_cast<int>(q & 255));
    return static_cast<int>(sum * 100.0f / 3.0f);
}

bool CWebCam::CalRessemblance(Pixel p, Pixel q, signed char threshold) const {
    return static_cast<signed char>(likenessScore(pixelRgb(p), pixelRgb(q))) <= threshold;
}

void CWebCam::CalMouvement(int first, int second, int target) {
    if (!imageIndexOk(*this, first, "CalMouvement") || !imageIndexOk(*this, second, "CalMouvement") ||
        !imageIndexOk(*this, target, "CalMouvement")) {
        return;
    }
    const Pixel* a = pixelRun(images[first]);
    const Pixel* b = pixelRun(images[second]);
    Pixel* out = pixelRun(images[target]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        uint32_t p = pixelRgb(a[k]);
        uint32_t q = pixelRgb(b[k]);
        // Each channel's mean, (p + q) / 2, for all three at once: no carry crosses a channel.
        uint32_t mean = (((p & 0xFEFEFEu) >> 1) + ((q & 0xFEFEFEu) >> 1) + (p & q & 0x010101u));
        // The score fits a signed 8-bit value, so CalRessemblance's threshold test with 70 is this.
        bool moved = likenessScore(p, q) <= 70;
        storeRgb(out[k], moved ? mean : 0u);
    }
}
