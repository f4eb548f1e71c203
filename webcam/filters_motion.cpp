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

bool CWebCam::CalRessemblance(Pixel p, Pixel q, signed char threshold) const {
    float sum = 0.0f;
    sum += channelLikeness(p.b, q.b);
    sum += channelLikeness(p.g, q.g);
    sum += channelLikeness(p.r, q.r);
    int score = static_cast<int>(sum * 100.0f / 3.0f);
    return static_cast<signed char>(score) <= threshold;
}

void CWebCam::CalMouvement(int first, int second, int target) {
    if (!filterImageOk(*this, first, "CalMouvement") || !filterImageOk(*this, second, "CalMouvement") ||
        !filterImageOk(*this, target, "CalMouvement")) {
        return;
    }
    const Pixel* a = pixelRun(images[first]);
    const Pixel* b = pixelRun(images[second]);
    Pixel* out = pixelRun(images[target]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        Pixel p = a[k];
        Pixel q = b[k];
        if (CalRessemblance(p, q, 70)) {
            setChannels(out[k], (p.r + q.r) / 2, (p.g + q.g) / 2, (p.b + q.b) / 2);
        } else {
            setBlack(out[k]);
        }
    }
}
