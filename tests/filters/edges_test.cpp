// Tests of edge marking on grey and on colour pictures.
#include <gtest/gtest.h>

#include "tests/filters/pictures.h"

namespace {

const Pixel WHITE = rgb(255, 255, 255);
const Pixel BLACK = rgb(0, 0, 0);

TEST(GreyEdges, VerticalStepMarksItsRightHandColumnOutsideTheBorderRows) {
    CWebCam cam;
    paint(cam, 0, [](int, int j) { return j < 160 ? WHITE : BLACK; });
    cam.CalContourGris(0, 10);
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            bool white = j < 160 || (j == 160 && i >= 1 && i <= 238);
            ASSERT_EQ(cam.images[0].pixels[i][j], white ? WHITE : BLACK) << i << ", " << j;
        }
    }
}

TEST(GreyEdges, HorizontalStepMarksTheLowerRowInsideTheBorderColumns) {
    CWebCam cam;
    paint(cam, 0, [](int i, int) { return i < 120 ? WHITE : BLACK; });
    cam.CalContourGris(0, 10);
    EXPECT_EQ(cam.images[0].pixels[120][0], BLACK);
    EXPECT_EQ(cam.images[0].pixels[120][1], WHITE);
    EXPECT_EQ(cam.images[0].pixels[120][318], WHITE);
    EXPECT_EQ(cam.images[0].pixels[120][319], BLACK);
    EXPECT_EQ(cam.images[0].pixels[121][100], BLACK);
}

TEST(GreyEdges, DifferenceEqualToTheThresholdIsNoEdge) {
    CWebCam cam;
    paint(cam, 0, [](int, int j) { return j < 160 ? rgb(100, 100, 100) : rgb(110, 110, 110); });
    cam.CalContourGris(0, 10);
    EXPECT_EQ(cam.images[0].pixels[50][160], rgb(110, 110, 110));
    cam.CalContourGris(0, 9);
    EXPECT_EQ(cam.images[0].pixels[50][160], WHITE);
    EXPECT_EQ(cam.images[0].pixels[50][159], rgb(100, 100, 100));
}

TEST(GreyEdges, GreysTheRestOfThePicture) {
    CWebCam cam;
    fill(cam, 0, rgb(30, 60, 90));
    cam.CalContourGris(0, 0);
    EXPECT_EQ(cam.images[0].pixels[100][100], rgb(60, 60, 60));
}

TEST(ColourEdges, AStepInOneChannelIsAnEdgeAndOtherPixelsKeepTheirColour) {
    CWebCam cam;
    paint(cam, 0, [](int, int j) { return j < 200 ? rgb(10, 20, 30) : rgb(10, 20, 90); });
    cam.CalContour(0, 50);
    EXPECT_EQ(cam.images[0].pixels[10][200], WHITE);
    EXPECT_EQ(cam.images[0].pixels[10][199], rgb(10, 20, 30));
    EXPECT_EQ(cam.images[0].pixels[10][201], rgb(10, 20, 90));
    EXPECT_EQ(cam.images[0].pixels[0][200], rgb(10, 20, 90));
}

// Marks come from the picture as it was: a pixel turned white must not create edges next to it.
TEST(Edges, MatchTheMarkGridDoneTheLongWay) {
    for (int threshold : {-1, 0, 40, 128, 254, 255}) {
        for (bool grey : {false, true}) {
            SCOPED_TRACE(threshold);
            SCOPED_TRACE(grey);
            CWebCam cam;
            noise(cam, 0, threshold + 7);
            cam.CopieImage(0, 1);
            if (grey) {
                cam.CalContourGris(0, threshold);
            } else {
                cam.CalContour(0, threshold);
            }
            referenceContour(cam, 1, threshold, grey);
            ASSERT_EQ(snapshot(cam, 0), snapshot(cam, 1));
        }
    }
}

}  // namespace
