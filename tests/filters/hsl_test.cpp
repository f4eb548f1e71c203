// Tests of the hue/saturation/luminance conversions and the filters built on them.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "tests/filters/pictures.h"

namespace {

void expectHsl(const PixelHSL& x, int h, int s, int l) {
    EXPECT_EQ(int(x.h), h);
    EXPECT_EQ(int(x.s), s);
    EXPECT_EQ(int(x.l), l);
}

TEST(RgbToHsl, PrimariesSitAtTheirHues) {
    CWebCam cam;
    expectHsl(cam.CalRGBtoHSL(rgb(255, 0, 0)), 0, 240, 120);
    EXPECT_EQ(int(cam.CalRGBtoHSL(rgb(0, 255, 0)).h), 80);
    EXPECT_EQ(int(cam.CalRGBtoHSL(rgb(0, 0, 255)).h), 160);
}

TEST(RgbToHsl, GreysHaveNoSaturationAndTheMiddleHue) {
    CWebCam cam;
    for (int v : {0, 1, 127, 128, 254, 255}) {
        SCOPED_TRACE(v);
        expectHsl(cam.CalRGBtoHSL(rgb(v, v, v)), 120, 0, (2 * v * 240 + 255) / 510);
    }
}

TEST(RgbToHsl, NegativeHueWrapsPastMagenta) {
    CWebCam cam;
    EXPECT_EQ(int(cam.CalRGBtoHSL(rgb(255, 0, 128)).h), 220);
}

TEST(HslToRgb, FullRedAndWhites) {
    CWebCam cam;
    EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{0, 240, 120}), rgb(255, 0, 0));
    for (int h = 0; h < 256; h++) {
        SCOPED_TRACE(h);
        EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{static_cast<unsigned char>(h), 0, 240}), rgb(255, 255, 255));
    }
}

// The blue channel is asked for at h - 80 through an unsigned 16-bit hue: for h below 80 the
// value arrives wrapped and must still mean h - 80 + 240.
TEST(HslToRgb, BlueOfHuesBelowGreenIsTheLowLevel) {
    CWebCam cam;
    for (int h = 0; h < 80; h++) {
        SCOPED_TRACE(h);
        EXPECT_EQ(cam.HueToRGB(10, 200, static_cast<unsigned short>(h - 80)), 10);
    }
    EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{70, 240, 120}).b, 0);
}

TEST(HslToRgb, ValuesAboveTheScaleCountAsItsTop) {
    CWebCam cam;
    EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{0, 0, 255}), rgb(255, 255, 255));
    EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{30, 255, 255}), rgb(255, 255, 255));
    EXPECT_EQ(cam.CalHSLtoRGB(PixelHSL{0, 255, 120}), rgb(255, 0, 0));
}

// Hue has 240 steps round a circle of 1,530 channel steps, so a saturated colour can move by a
// few units; over every colour of the cube the worst is 5.
TEST(HslToRgb, RoundTripStaysWithinFive) {
    CWebCam cam;
    int worst = 0;
    for (int r = 0; r < 256; r += 17) {
        for (int g = 0; g < 256; g += 17) {
            for (int b = 0; b < 256; b += 17) {
                Pixel back = cam.CalHSLtoRGB(cam.CalRGBtoHSL(rgb(r, g, b)));
                worst = std::max({worst, std::abs(back.r - r), std::abs(back.g - g), std::abs(back.b - b)});
                EXPECT_EQ(back.couleur, back.r + back.g * 256 + back.b * 65536);
            }
        }
    }
    EXPECT_LE(worst, 5);
}

TEST(HslFilters, IntensityAveragesTheChosenComponents) {
    CWebCam cam;
    fill(cam, 0, rgb(0, 0, 255));  // h 160, s 240, l 120
    cam.CalIntensiteHSL(0, false, false, true);
    EXPECT_EQ(cam.images[0].pixels[5][7], rgb(120, 120, 120));
    fill(cam, 0, rgb(0, 0, 255));
    cam.CalIntensiteHSL(0, true, true, false);
    EXPECT_EQ(cam.images[0].pixels[239][319], rgb(200, 200, 200));
    fill(cam, 0, rgb(0, 0, 255));
    cam.CalIntensiteHSL(0, true, true, true);
    EXPECT_EQ(cam.images[0].pixels[0][0], rgb(173, 173, 173));
}

TEST(HslFilters, IntensityWithNoComponentLeavesThePicture) {
    CWebCam cam;
    noise(cam, 1, 3);
    std::vector<Pixel> before = snapshot(cam, 1);
    cam.CalIntensiteHSL(1, false, false, false);
    EXPECT_EQ(snapshot(cam, 1), before);
}

TEST(HslFilters, FixedComponentReplacesTheOneComponent) {
    CWebCam cam;
    fill(cam, 0, rgb(255, 0, 0));
    cam.CalFixTeinte(0, 80);
    EXPECT_EQ(cam.images[0].pixels[100][100], rgb(0, 255, 0));
    cam.CalFixSaturation(0, 0);
    EXPECT_EQ(cam.images[0].pixels[100][100], rgb(127, 127, 127));
    cam.CalFixLumiere(0, 240 + 256);  // low 8 bits: 240
    EXPECT_EQ(cam.images[0].pixels[239][0], rgb(255, 255, 255));
    cam.CalFixLumiere(0, 0);
    EXPECT_EQ(cam.images[0].pixels[0][319], rgb(0, 0, 0));
}

}  // namespace
