// Tests of the colour-channel filters: packing, negative, offsets, mirror, difference and levels.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "tests/filters/pictures.h"

namespace {

TEST(Packing, ChannelsAndPackedColourConvertBothWays) {
    CWebCam cam;
    Pixel p = rgb(0, 0, 0);
    p.couleur = 0xC08040;
    fill(cam, 0, p);
    cam.CalRGB(0);
    EXPECT_EQ(cam.images[0].pixels[3][4], rgb(0x40, 0x80, 0xC0));
    Pixel q = rgb(1, 2, 3);
    q.couleur = 0;
    fill(cam, 0, q);
    cam.CalCouleur(0);
    EXPECT_EQ(cam.images[0].pixels[239][319].couleur, 1 + 2 * 256 + 3 * 65536);
}

TEST(Negative, InvertsEachChannelAndTwiceRestores) {
    CWebCam cam;
    fill(cam, 0, rgb(0, 100, 255));
    cam.CalInvCouleur(0);
    EXPECT_EQ(cam.images[0].pixels[10][10], rgb(255, 155, 0));
    noise(cam, 1, 7);
    std::vector<Pixel> before = snapshot(cam, 1);
    cam.CalInvCouleur(1);
    cam.CalInvCouleur(1);
    EXPECT_EQ(snapshot(cam, 1), before);
}

TEST(ColourOffset, WrapsModulo255) {
    CWebCam cam;
    fill(cam, 0, rgb(250, 245, 100));
    cam.CalAddCouleur(0, 10, 10, 10, true);
    EXPECT_EQ(cam.images[0].pixels[0][0], rgb(5, 0, 110));
    // A negative sum taken as unsigned: 2^32 - 100 is 156 modulo 255.
    fill(cam, 0, rgb(100, 0, 0));
    cam.CalAddCouleur(0, -200, 0, 300, true);
    EXPECT_EQ(cam.images[0].pixels[120][160], rgb(156, 0, 45));
}

// Offsets at the ends of the int range, summed as unsigned 32-bit values: 100 + 2^31 - 1 is
// 2,147,483,747 and 100 - 2^31 is 2,147,483,748 taken unsigned.
TEST(ColourOffset, OffsetsAtTheIntLimitsWrapAndSaturateAsUnsignedSums) {
    CWebCam cam;
    fill(cam, 0, rgb(100, 100, 0));
    cam.CalAddCouleur(0, INT_MAX, INT_MIN, INT_MIN, true);
    EXPECT_EQ(cam.images[0].pixels[5][5], rgb(227, 228, 128));
    fill(cam, 0, rgb(100, 100, 0));
    cam.CalAddCouleur(0, INT_MAX, INT_MIN, 0, false);
    EXPECT_EQ(cam.images[0].pixels[5][5], rgb(255, 255, 0));
}

TEST(ColourOffset, SaturatesAt255EvenBelowZero) {
    CWebCam cam;
    fill(cam, 0, rgb(250, 245, 100));
    cam.CalAddCouleur(0, 10, 10, 10, false);
    EXPECT_EQ(cam.images[0].pixels[239][319], rgb(255, 255, 110));
    fill(cam, 0, rgb(100, 100, 0));
    cam.CalAddCouleur(0, -101, -100, 255, false);
    EXPECT_EQ(cam.images[0].pixels[1][2], rgb(255, 0, 255));
}

TEST(Mirror, FlagsChooseTheAxes) {
    CWebCam cam;
    noise(cam, 0, 11);
    std::vector<Pixel> before = snapshot(cam, 0);
    cam.CalMirroir(0, false, false);
    EXPECT_EQ(snapshot(cam, 0), before);
    cam.CalMirroir(0, true, false);
    std::vector<Pixel> once = snapshot(cam, 0);
    EXPECT_EQ(once[at(7, 0)], before[at(7, 319)]);
    EXPECT_EQ(once[at(7, 160)], before[at(7, 159)]);
    cam.CalMirroir(0, true, false);
    EXPECT_EQ(snapshot(cam, 0), before);
    cam.CalMirroir(0, true, true);
    std::vector<Pixel> turned = snapshot(cam, 0);
    for (int i = 0; i < IMAGE_HEIGHT; i += 7) {
        for (int j = 0; j < IMAGE_WIDTH; j += 3) {
            ASSERT_EQ(turned[at(i, j)], before[at(239 - i, 319 - j)]) << i << ", " << j;
        }
    }
}

TEST(Difference, StoresTheMagnitudeAndKeepsTheSources) {
    CWebCam cam;
    fill(cam, 0, rgb(10, 200, 50));
    fill(cam, 1, rgb(30, 100, 50));
    cam.CalSoustraction(0, 1, 2);
    EXPECT_EQ(cam.images[2].pixels[0][0], rgb(20, 100, 0));
    cam.CalSoustraction(1, 0, 2);
    EXPECT_EQ(cam.images[2].pixels[239][319], rgb(20, 100, 0));
    EXPECT_EQ(cam.images[0].pixels[5][5], rgb(10, 200, 50));
    EXPECT_EQ(cam.images[1].pixels[5][5], rgb(30, 100, 50));
    cam.CalSoustraction(0, 1, 0);
    EXPECT_EQ(cam.images[0].pixels[5][5], rgb(20, 100, 0));
}

TEST(Levels, MeanOfEachChannelAndTwoLevelThreshold) {
    CWebCam cam;
    // Means (100, 75, 127): threshold 100. The left half's grey is exactly 100 (black), the
    // right half's 101 (white).
    paint(cam, 0, [](int, int j) { return j < 160 ? rgb(200, 100, 0) : rgb(0, 50, 255); });
    EXPECT_EQ(cam.CalSeuilCouleur(0), rgb(100, 75, 127));
    cam.CalBiCouleurSeuil(0);
    EXPECT_EQ(cam.images[0].pixels[0][159], rgb(0, 0, 0));
    EXPECT_EQ(cam.images[0].pixels[239][160], rgb(255, 255, 255));
}

TEST(Levels, ThreeLevelsWithTiesGoingDown) {
    CWebCam cam;
    paint(cam, 0, [](int i, int j) {
        int v = (i * IMAGE_WIDTH + j) % 256;
        return rgb(v, 255 - v, v);
    });
    cam.CalExpole16to16(0);
    for (int v = 0; v < 256; v++) {
        SCOPED_TRACE(v);
        int expected = v <= 64 ? 0 : v <= 191 ? 127 : 254;
        int mirrored = 255 - v <= 64 ? 0 : 255 - v <= 191 ? 127 : 254;
        EXPECT_EQ(cam.images[0].pixels[0][v], rgb(expected, mirrored, expected));
    }
}

TEST(Levels, FiveLevels) {
    CWebCam cam;
    paint(cam, 0, [](int, int j) { return rgb(j % 256, 0, 255); });
    cam.CalExpole16to256(0);
    const int inputs[] = {0, 32, 33, 96, 97, 160, 161, 223, 224, 255};
    const int outputs[] = {0, 0, 64, 64, 128, 128, 192, 192, 255, 255};
    for (int k = 0; k < 10; k++) {
        SCOPED_TRACE(inputs[k]);
        EXPECT_EQ(cam.images[0].pixels[0][inputs[k]], rgb(outputs[k], 0, 255));
    }
}

TEST(Tables, LowestIndexWinsTies) {
    const int a[] = {5, 3, 3};
    const int b[] = {2, 7, 7};
    const int single[] = {-4};
    EXPECT_EQ(min_tbl(a, 3), 1);
    EXPECT_EQ(max_tbl(b, 3), 1);
    EXPECT_EQ(min_tbl(single, 1), 0);
    EXPECT_EQ(max_tbl(single, 1), 0);
    EXPECT_EQ(min_tbl(a, 0), -1);
    EXPECT_EQ(max_tbl(nullptr, 3), -1);
}

// Every operation on the buffers refuses an index outside 0-2 by name and touches nothing: no
// buffer, no measurement.
TEST(ImageIndexes, UnknownImageChangesNothingAndIsNamed) {
    CWebCam cam;
    noise(cam, 0, 1);
    noise(cam, 1, 2);
    noise(cam, 2, 3);
    cam.baryX1 = 11;
    cam.varY2 = 22;
    cam.nbPixels1 = 33;
    std::vector<Pixel> before[3] = {snapshot(cam, 0), snapshot(cam, 1), snapshot(cam, 2)};
    testing::internal::CaptureStderr();
    cam.CalInvCouleur(3);
    cam.CalFlou(-1);
    cam.CalSoustraction(0, 1, 7);
    cam.CalMouvement(0, 9, 2);
    cam.CalContour(5, 10);
    EXPECT_EQ(cam.CalSeuilCouleur(4), rgb(0, 0, 0));
    cam.CalGris(3);
    EXPECT_EQ(cam.CalMoyCouleur(-1), rgb(0, 0, 0));
    cam.CalBiCouleur(3);
    cam.calculBarycentre(-1);
    cam.calculVariance(3);
    cam.CopieImage(3, 0);
    cam.CopieImage(0, -1);
    // Without a camera or a view window these still name the index before anything else.
    cam.ChargeCapture(3);
    cam.RecupereImage(-1);
    cam.AfficheImage(3);
    std::string said = testing::internal::GetCapturedStderr();
    for (int k = 0; k < 3; k++) {
        EXPECT_EQ(snapshot(cam, k), before[k]) << k;
    }
    EXPECT_EQ(cam.baryX1, 11);
    EXPECT_EQ(cam.varY2, 22);
    EXPECT_EQ(cam.nbPixels1, 33);
    for (const char* line : {"CalGris: no image 3 (the images are 0, 1 and 2)\n",
                             "CalMoyCouleur: no image -1 (the images are 0, 1 and 2)\n",
                             "calculVariance: no image 3 (the images are 0, 1 and 2)\n",
                             "CopieImage: no image 3 (the images are 0, 1 and 2)\n",
                             "CopieImage: no image -1 (the images are 0, 1 and 2)\n",
                             "AfficheImage: no image 3 (the images are 0, 1 and 2)\n"}) {
        EXPECT_NE(said.find(line), std::string::npos) << line << "not in:\n" << said;
    }
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 16) << said;
}

}  // namespace
