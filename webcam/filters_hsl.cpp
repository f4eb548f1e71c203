// Conversions between RGB and hue/saturation/luminance (each 0-240), and the filters built on them.
#include <algorithm>
#include <cstdio>

#include "webcam/filter_support.h"

// n / d in whole numbers for the divisions of the conversion (n below 65,536, d 1-510), by a
// multiplication with ceil(2^32 / d) = (2^32 + e) / d, e < d: the product overshoots n / d by
// n·e / (d·2^32), below 1 / d, the least distance from a fraction to the next whole number. It
// costs a fraction of a division's time.
static uint32_t divide(uint32_t n, uint32_t d) {
    static const uint64_t* reciprocals = []() {
        static uint64_t table[511];
        for (uint64_t k = 1; k < 511; k++) {
            table[k] = ((1ull << 32) + k - 1) / k;
        }
        return table;
    }();
    return static_cast<uint32_t>((n * reciprocals[d]) >> 32);
}

PixelHSL CWebCam::CalRGBtoHSL(Pixel p) const {
    int r = p.r;
    int g = p.g;
    int b = p.b;
    int most = std::max(r, std::max(g, b));
    int least = std::min(r, std::min(g, b));
    int l = ((most + least) * 240 + 255) / 510;
    PixelHSL x = {120, 0, static_cast<unsigned char>(l)};
    if (most == least) {
        return x;
    }
    // Every numerator and divisor below is positive.
    int spread = most - least;
    int total = l <= 120 ? most + least : 510 - most - least;
    int s = static_cast<int>(divide(static_cast<uint32_t>(spread * 240 + total / 2), static_cast<uint32_t>(total)));
    uint32_t half = static_cast<uint32_t>(spread / 2);
    uint32_t d = static_cast<uint32_t>(spread);
    int dR = static_cast<int>(divide(static_cast<uint32_t>((most - r) * 40) + half, d));
    int dG = static_cast<int>(divide(static_cast<uint32_t>((most - g) * 40) + half, d));
    int dB = static_cast<int>(divide(static_cast<uint32_t>((most - b) * 40) + half, d));
    int h;
    if (r == most) {
        h = dB - dG;
    } else if (g == most) {
        h = dR - dB + 80;
    } else {
        h = dG - dR + 160;
    }
    if (h < 0) {
        h += 240;
    }
    if (h > 240) {
        h %= 240;
    }
    x.h = static_cast<unsigned char>(h);
    x.s = static_cast<unsigned char>(s);
    return x;
}

unsigned short CWebCam::HueToRGB(unsigned short m1, unsigned short m2, unsigned short hue) const {
    // The blue channel is asked for at h - 80, which arrives wrapped to 16 bits (65,456 for h 0);
    // read back as signed it is the hue before the wrap, which a turn of 240 brings into range.
    // Taken as unsigned, modulo 240 would land 16 steps off (176 instead of 160).
    int h = static_cast<short>(hue);
    if (h < 0) {
        h = h % 240 + 240;
    }
    if (h > 240) {
        h %= 240;
    }
    int low = m1;
    int high = m2;
    int value;
    if (h < 40) {
        value = low + ((high - low) * h + 20) / 40;
    } else if (h < 120) {
        value = high;
    } else if (h < 160) {
        value = low + ((high - low) * (160 - h) + 20) / 40;
    } else {
        value = low;
    }
    return static_cast<unsigned short>(value);
}

Pixel CWebCam::CalHSLtoRGB(PixelHSL x) const {
    // Saturation and luminance end at 240; above it the arithmetic would leave 0-255 and wrap a
    // too-bright request round to a dark channel, so such values count as 240.
    int h = x.h;
    int s = std::min<int>(x.s, 240);
    int l = std::min<int>(x.l, 240);
    Pixel p;
    if (s == 0) {
        int v = l * 255 / 240;
        setChannels(p, v, v, v);
        return p;
    }
    int m2;
    if (l <= 120) {
        m2 = (l * (240 + s) + 120) / 240;
    } else {
        m2 = l + s - (l * s + 120) / 240;
    }
    int m1 = 2 * l - m2;
    unsigned short low = static_cast<unsigned short>(m1);
    unsigned short high = static_cast<unsigned short>(m2);
    int r = (HueToRGB(low, high, static_cast<unsigned short>(h + 80)) * 255 + 120) / 240;
    int g = (HueToRGB(low, high, static_cast<unsigned short>(h)) * 255 + 120) / 240;
    int b = (HueToRGB(low, high, static_cast<unsigned short>(h - 80)) * 255 + 120) / 240;
    setChannels(p, r, g, b);
    return p;
}

void CWebCam::CalIntensiteHSL(int image, bool useH, bool useS, bool useL) {
    if (!imageIndexOk(*this, image, "CalIntensiteHSL")) {
        return;
    }
    int chosen = int(useH) + int(useS) + int(useL);
    if (chosen == 0) {
        std::fprintf(stderr, "CalIntensiteHSL: none of useH, useS, useL is set; image %d left unchanged\n", image);
        return;
    }
    Pixel* run = pixelRun(images[image]);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        PixelHSL x = CalRGBtoHSL(run[k]);
        int value = (x.h * int(useH) + x.s * int(useS) + x.l * int(useL)) / chosen;
        setChannels(run[k], value & 255, value & 255, value & 255);
    }
}

// Which component the CalFix filters set.
enum HslComponent { HSL_HUE, HSL_SATURATION, HSL_LUMINANCE };

static void fixComponent(CWebCam& cam, int image, HslComponent component, int value) {
    Pixel* run = pixelRun(cam.images[image]);
    unsigned char fixed = static_cast<unsigned char>(value & 255);
    for (int k = 0; k < PIXEL_COUNT; k++) {
        PixelHSL x = cam.CalRGBtoHSL(run[k]);
        if (component == HSL_HUE) {
            x.h = fixed;
        } else if (component == HSL_SATURATION) {
            x.s = fixed;
        } else {
            x.l = fixed;
        }
        run[k] = cam.CalHSLtoRGB(x);
    }
}

void CWebCam::CalFixLumiere(int image, int value) {
    if (imageIndexOk(*this, image, "CalFixLumiere")) {
        fixComponent(*this, image, HSL_LUMINANCE, value);
    }
}

void CWebCam::CalFixTeinte(int image, int value) {
    if (imageIndexOk(*this, image, "CalFixTeinte")) {
        fixComponent(*this, image, HSL_HUE, value);
    }
}

void CWebCam::CalFixSaturation(int image, int value) {
    if (imageIndexOk(*this, image, "CalFixSaturation")) {
        fixComponent(*this, image, HSL_SATURATION, value);
    }
}
