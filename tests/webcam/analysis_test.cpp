// The hand-sign analysis on drawn frames: segmentation, barycentres, spreads, counts and signs.
#include <gtest/gtest.h>

#include "webcam/WebCam.h"

namespace {

void fill(CWebCam& cam, int r, int g, int b) {
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            Pixel& p = cam.images[0].pixels[row][column];
            p.r = (unsigned char)r;
            p.g = (unsigned char)g;
            p.b = (unsigned char)b;
            p.couleur = r + g * 256 + b * 65536;
        }
    }
}

// A bright shape (the hand) on a dark but not black background.
void paintBlock(CWebCam& cam, int left, int top, int width, int height) {
    for (int row = top; row < top + height; ++row) {
        for (int column = left; column < left + width; ++column) {
            Pixel& p = cam.images[0].pixels[row][column];
            p.r = 250;
            p.g = 240;
            p.b = 230;
            p.couleur = p.r + p.g * 256 + p.b * 65536;
        }
    }
}

void analyse(CWebCam& cam) {
    cam.CalBiCouleur(0);
    cam.calculBarycentre(0);
    cam.calculVariance(0);
    cam.discriminateRPS();
}

struct Shape {
    int left, top, width, height;
    int count, baryX, baryY, varX, varY, sign;
};

// The square, the tall bar and the block, in player 2's half (image columns 0-159).
const Shape shapes[] = {
    {40, 100, 40, 40, 1600, 59, 119, 133, 133, 1},
    {60, 70, 20, 100, 2000, 69, 119, 33, 833, 2},
    {40, 88, 40, 64, 2560, 59, 119, 133, 341, 3},
};

}  // namespace

TEST(Analysis, FreshObjectReadsRockAtTheCentres) {
    CWebCam cam;
    EXPECT_EQ(cam.images[2].largeur, 320);
    EXPECT_EQ(cam.images[2].hauteur, 240);
    EXPECT_EQ(cam.baryX1, 80);
    EXPECT_EQ(cam.baryY1, 120);
    EXPECT_EQ(cam.baryX2, 80);
    EXPECT_EQ(cam.baryY2, 120);
    EXPECT_EQ(cam.rps1, 1);
    EXPECT_EQ(cam.rps2, 1);
    EXPECT_EQ(cam.nbPixels1, 1);
    EXPECT_EQ(cam.nbPixels2, 1);
    EXPECT_EQ(cam.varX1 + cam.varY1 + cam.varX2 + cam.varY2, 0);
}

TEST(Analysis, GreyAndMeanUseIntegerDivision) {
    CWebCam cam;
    fill(cam, 10, 20, 31);  // (10 + 20 + 31) / 3 = 20.33
    Pixel mean = cam.CalMoyCouleur(0);
    EXPECT_EQ(mean.r, 10);
    EXPECT_EQ(mean.g, 20);
    EXPECT_EQ(mean.b, 31);
    cam.CalGris(0);
    const Pixel& p = cam.images[0].pixels[239][319];
    EXPECT_EQ(p.r, 20);
    EXPECT_EQ(p.g, 20);
    EXPECT_EQ(p.b, 20);
    EXPECT_EQ(p.couleur, 20 + 20 * 256 + 20 * 65536);
}

TEST(Analysis, UniformGreyTurnsBlackAndKeepsTheCounts) {
    CWebCam cam;
    cam.nbPixels1 = 77;
    cam.nbPixels2 = 88;
    fill(cam, 128, 128, 128);
    analyse(cam);
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            ASSERT_EQ(cam.images[0].pixels[row][column].couleur, 0) << row << "," << column;
        }
    }
    EXPECT_EQ(cam.baryX1, -160);
    EXPECT_EQ(cam.baryY1, 0);
    EXPECT_EQ(cam.baryX2, 0);
    EXPECT_EQ(cam.baryY2, 0);
    EXPECT_EQ(cam.varX1 + cam.varY1 + cam.varX2 + cam.varY2, 0);
    EXPECT_EQ(cam.rps1, 3);
    EXPECT_EQ(cam.rps2, 3);
    EXPECT_EQ(cam.nbPixels1, 77);
    EXPECT_EQ(cam.nbPixels2, 88);
}

TEST(Analysis, SegmentationMakesPureWhiteAndBlack) {
    CWebCam cam;
    fill(cam, 30, 30, 30);
    paintBlock(cam, 40, 100, 40, 40);
    cam.CalBiCouleur(0);
    const Pixel& hand = cam.images[0].pixels[100][40];
    const Pixel& rest = cam.images[0].pixels[99][40];
    EXPECT_EQ(hand.r + hand.g + hand.b, 3 * 255);
    EXPECT_EQ(hand.couleur, 16777215);
    EXPECT_EQ(rest.r + rest.g + rest.b, 0);
    EXPECT_EQ(rest.couleur, 0);
}

TEST(Analysis, ShapesInPlayer2sHalf) {
    for (const Shape& s : shapes) {
        CWebCam cam;
        fill(cam, 0, 0, 0);
        paintBlock(cam, s.left, s.top, s.width, s.height);
        analyse(cam);
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        EXPECT_EQ(cam.nbPixels2, s.count);
        EXPECT_EQ(cam.baryX2, s.baryX);
        EXPECT_EQ(cam.baryY2, s.baryY);
        EXPECT_EQ(cam.varX2, s.varX);
        EXPECT_EQ(cam.varY2, s.varY);
        EXPECT_EQ(cam.rps2, s.sign);
        // Player 1's half is empty: its count stays, its sign is scissors.
        EXPECT_EQ(cam.nbPixels1, 1);
        EXPECT_EQ(cam.baryX1, -160);
        EXPECT_EQ(cam.rps1, 3);
    }
}

TEST(Analysis, ShapesInPlayer1sHalf) {
    for (const Shape& s : shapes) {
        CWebCam cam;
        fill(cam, 0, 0, 0);
        paintBlock(cam, s.left + 160, s.top, s.width, s.height);
        analyse(cam);
        SCOPED_TRACE(testing::Message() << s.width << " x " << s.height);
        EXPECT_EQ(cam.nbPixels1, s.count);
        EXPECT_EQ(cam.baryX1, s.baryX);
        EXPECT_EQ(cam.baryY1, s.baryY);
        EXPECT_EQ(cam.varX1, s.varX);
        EXPECT_EQ(cam.varY1, s.varY);
        EXPECT_EQ(cam.rps1, s.sign);
        EXPECT_EQ(cam.nbPixels2, 1);
        EXPECT_EQ(cam.baryX2, 0);
    }
}

TEST(Analysis, MiddleColumnsGoToTheirPlayers) {
    CWebCam cam;
    fill(cam, 0, 0, 0);
    cam.images[0].pixels[50][159] = Pixel{255, 255, 255, 16777215};
    cam.images[0].pixels[60][160] = Pixel{255, 255, 255, 16777215};
    cam.calculBarycentre(0);
    cam.calculVariance(0);
    EXPECT_EQ(cam.baryX2, 159);
    EXPECT_EQ(cam.baryY2, 50);
    EXPECT_EQ(cam.baryX1, 0);
    EXPECT_EQ(cam.baryY1, 60);
    EXPECT_EQ(cam.nbPixels1, 1);
    EXPECT_EQ(cam.nbPixels2, 1);
}

TEST(Analysis, SignRulesAreStrictWithSinglePrecisionConstants) {
    CWebCam cam;
    // 5 x 1.8f is 8.9999998, not above 9: not rock; 9 is not above 5 x 2.95: the count decides.
    cam.varX1 = 5;
    cam.varY1 = 9;
    cam.nbPixels1 = 100;  // 5 / 100 is not above 0.4: scissors
    cam.varX2 = 5;
    cam.varY2 = 9;
    cam.nbPixels2 = 12;  // 5 / 12 = 0.42 is above 0.4: paper
    cam.discriminateRPS();
    EXPECT_EQ(cam.rps1, 3);
    EXPECT_EQ(cam.rps2, 2);
    // 20 x 2.95 = 59.000001: 59 is not above it, 60 is.
    cam.varX1 = 20;
    cam.varY1 = 59;
    cam.varX2 = 20;
    cam.varY2 = 60;
    cam.nbPixels1 = cam.nbPixels2 = 1000;
    cam.discriminateRPS();
    EXPECT_EQ(cam.rps1, 3);
    EXPECT_EQ(cam.rps2, 2);
    // 2 x 1.8 = 3.6 > 3: rock.
    cam.varX1 = 2;
    cam.varY1 = 3;
    cam.discriminateRPS();
    EXPECT_EQ(cam.rps1, 1);
}
