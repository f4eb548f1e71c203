// Tests of the frame comparison, the motion picture, the mean that ignores black and the blur.
#include <gtest/gtest.h>

#include "tests/filters/pictures.h"

namespace {

TEST(Likeness, BlackPixelsAreAlike) {
    CWebCam cam;
    EXPECT_FALSE(cam.CalRessemblance(rgb(0, 0, 0), rgb(0, 0, 0), 70));
    EXPECT_TRUE(cam.CalRessemblance(rgb(0, 0, 0), rgb(0, 0, 0), 100));
    EXPECT_FALSE(cam.CalRessemblance(rgb(0, 0, 0), rgb(0, 0, 0), 99));
}

TEST(Likeness, ScoreIsTheMeanRatioOfTheChannels) {
    CWebCam cam;
    // Ratios 0.5, 0.5, 0.5: score 50.
    EXPECT_TRUE(cam.CalRessemblance(rgb(100, 40, 10), rgb(50, 80, 20), 50));
    EXPECT_FALSE(cam.CalRessemblance(rgb(100, 40, 10), rgb(50, 80, 20), 49));
    // Ratios 1, 1, 0: score 66.
    EXPECT_TRUE(cam.CalRessemblance(rgb(0, 9, 9), rgb(200, 9, 9), 66));
    EXPECT_FALSE(cam.CalRessemblance(rgb(0, 9, 9), rgb(200, 9, 9), 65));
}

TEST(Motion, IdenticalFramesGiveBlack) {
    CWebCam cam;
    noise(cam, 0, 5);
    cam.CopieImage(0, 1);
    fill(cam, 2, rgb(1, 2, 3));
    cam.CalMouvement(0, 1, 2);
    for (const Pixel& p : snapshot(cam, 2)) {
        ASSERT_EQ(p, rgb(0, 0, 0));
    }
}

TEST(Motion, ChangedPixelsShowTheirMeanColour) {
    CWebCam cam;
    fill(cam, 0, rgb(200, 100, 50));
    fill(cam, 1, rgb(200, 100, 50));
    cam.images[1].pixels[30][40] = rgb(10, 11, 50);
    cam.CalMouvement(0, 1, 0);
    EXPECT_EQ(cam.images[0].pixels[30][40], rgb(105, 55, 50));
    EXPECT_EQ(cam.images[0].pixels[30][41], rgb(0, 0, 0));
}

TEST(Mean, IgnoresZeroValuesChannelByChannel) {
    Pixel nine[9] = {};
    EXPECT_EQ(moyenne(nine, 9), rgb(0, 0, 0));
    nine[2] = rgb(0, 10, 20);
    nine[7] = rgb(30, 0, 41);
    EXPECT_EQ(moyenne(nine, 9), rgb(30, 10, 30));
    EXPECT_EQ(moyenne(nine, 0), rgb(0, 0, 0));
}

TEST(Blur, UniformPictureStaysTheSame) {
    CWebCam cam;
    fill(cam, 0, rgb(17, 130, 255));
    cam.CalFlou(0);
    for (const Pixel& p : snapshot(cam, 0)) {
        ASSERT_EQ(p, rgb(17, 130, 255));
    }
}

// Written back at once, a lit pixel is a lit neighbour for the next one: one lit pixel in the
// corner of a black picture spreads all the way across.
TEST(Blur, BlurredNeighboursCarryALitPixelAcross) {
    CWebCam cam;
    fill(cam, 0, rgb(0, 0, 0));
    cam.images[0].pixels[0][0] = rgb(90, 0, 7);
    cam.CalFlou(0);
    EXPECT_EQ(cam.images[0].pixels[239][319], rgb(90, 0, 7));
    EXPECT_EQ(cam.images[0].pixels[0][319], rgb(90, 0, 7));
}

// On noise every window is lit; on a sparse picture many are black, and black windows make
// black pixels that count as nothing for their neighbours.
TEST(Blur, MatchesTheNeighbourListDoneTheLongWay) {
    CWebCam cam;
    for (unsigned int seed : {1u, 2u, 3u, 4u}) {
        SCOPED_TRACE(seed);
        if (seed <= 2) {
            noise(cam, 0, seed);
        } else {
            sparse(cam, 0, seed);
        }
        cam.CopieImage(0, 1);
        cam.CalFlou(0);
        referenceFlou(cam, 1);
        ASSERT_EQ(snapshot(cam, 0), snapshot(cam, 1));
    }
}

}  // namespace
