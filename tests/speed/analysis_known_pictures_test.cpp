// The fast hand-sign analysis on pictures whose answer is known: hands of known shapes give their
// barycentres, spreads and signs, and frames of every kind keep the measures' properties.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench/hand_frames.h"
#include "game/codes.h"
#include "webcam/WebCam.h"
#include "webcam/analysis_passes.h"

namespace {

const int N = IMAGE_WIDTH * IMAGE_HEIGHT;
// The camera's picture is mirrored: player 1 is its right half.
const int HALF = IMAGE_WIDTH / 2;

// Field by field: the padding byte of a pixel is no part of it.
bool samePixels(const Pixel* a, const Pixel* b) {
    for (int i = 0; i < N; i++) {
        if (a[i].r != b[i].r || a[i].g != b[i].g || a[i].b != b[i].b || a[i].couleur != b[i].couleur) {
            return false;
        }
    }
    return true;
}

// Frames of every kind the analysis may meet, by number.
void paintFrame(Image& image, int n) {
    FrameRandom random(7000 + n);
    Pixel* all = &image.pixels[0][0];
    switch (n % 6) {
    case 0:
    case 1:
        paintHandFrame(image, n);
        break;
    case 2:
        paintNoiseFrame(image, n);
        break;
    case 3: {
        // A uniform grey, a few lone pixels and an empty half.
        int grey = random.below(256);
        for (int i = 0; i < N; i++) {
            setFramePixel(all[i], grey, grey, grey);
        }
        int left = random.below(2) * 160;
        for (int k = random.below(5); k > 0; k--) {
            setFramePixel(image.pixels[random.below(240)][left + random.below(160)], 255, 255, 255);
        }
        break;
    }
    case 4:
        // Already a mask, with white also in the odd channel values r = 255 alone may give.
        for (int i = 0; i < N; i++) {
            int kind = random.below(4);
            setFramePixel(all[i], kind ? 255 : random.below(255), kind == 1 ? 255 : 0,
                          kind == 2 ? random.below(256) : 0);
        }
        break;
    default:
        // Every sum r + g + b from 0 to 765, so every grey level and every division.
        for (int i = 0; i < N; i++) {
            int s = (i + n) % 766;
            int r = std::min(s, 255);
            int g = std::min(std::max(s - 255, 0), 255);
            int b = std::max(s - 510, 0);
            setFramePixel(all[i], r, g, b);
        }
        break;
    }
}

struct Frame {
    Image image;
    Frame() {
        image.largeur = IMAGE_WIDTH;
        image.hauteur = IMAGE_HEIGHT;
        image.pixels = new Pixel[IMAGE_HEIGHT][IMAGE_WIDTH]();
    }
    ~Frame() { delete[] image.pixels; }
    Pixel* data() { return &image.pixels[0][0]; }
};

const int FRAME_COUNT = 360;

// A white block of w x h pixels (odd sides, so that its centre is a pixel) with its top left
// corner at column x, row y, on a black frame.
void paintBlock(Frame& frame, int x, int y, int w, int h) {
    for (int row = y; row < y + h; row++) {
        for (int column = x; column < x + w; column++) {
            setFramePixel(frame.image.pixels[row][column], 255, 255, 255);
        }
    }
}

void clear(Frame& frame) { std::memset(frame.data(), 0, sizeof(Pixel) * N); }

void analyse(CWebCam& cam, Frame& frame) {
    std::memcpy(&cam.images[0].pixels[0][0], frame.data(), sizeof(Pixel) * N);
    cam.CalBiCouleur(0);
    cam.calculBarycentre(0);
    cam.calculVariance(0);
    cam.discriminateRPS();
}

// A block's spread along a side of odd length n around its centre: (n² - 1) / 12.
int spread(int n) { return (n * n - 1) / 12; }

}  // namespace

// A square hand reads as rock, a tall narrow one as paper, one half as tall again as wide as
// scissors: each half's barycentre is its block's centre (player 1's counted from the middle of
// the picture), its spreads those of the block's sides, its count the block's area.
TEST(AnalysisOfKnownPictures, BlocksGiveTheirCentresSpreadsCountsAndSigns) {
    struct Hand {
        int w, h, sign;
    };
    const Hand hands[] = {{41, 41, ROCK}, {11, 61, PAPER}, {31, 47, SCISSORS}};
    CWebCam cam;
    Frame frame;
    for (const Hand& one : hands) {
        for (const Hand& two : hands) {
            SCOPED_TRACE(std::to_string(one.sign) + " against " + std::to_string(two.sign));
            clear(frame);
            paintBlock(frame, HALF + 30, 40, one.w, one.h);
            paintBlock(frame, 70, 100, two.w, two.h);
            analyse(cam, frame);
            EXPECT_EQ(cam.nbPixels1, one.w * one.h);
            EXPECT_EQ(cam.nbPixels2, two.w * two.h);
            EXPECT_EQ(cam.baryX1, 30 + one.w / 2);
            EXPECT_EQ(cam.baryY1, 40 + one.h / 2);
            EXPECT_EQ(cam.baryX2, 70 + two.w / 2);
            EXPECT_EQ(cam.baryY2, 100 + two.h / 2);
            EXPECT_EQ(cam.varX1, spread(one.w));
            EXPECT_EQ(cam.varY1, spread(one.h));
            EXPECT_EQ(cam.varX2, spread(two.w));
            EXPECT_EQ(cam.varY2, spread(two.h));
            EXPECT_EQ(cam.rps1, one.sign);
            EXPECT_EQ(cam.rps2, two.sign);
        }
    }
}

// The worker runs the chain one frame after another on the same object: a half left empty
// keeps its last count, and its barycentre falls to the half's corner.
TEST(AnalysisOfKnownPictures, AnEmptyHalfKeepsItsLastCountFromFrameToFrame) {
    CWebCam cam;
    Frame frame;
    clear(frame);
    paintBlock(frame, HALF + 30, 40, 41, 41);
    paintBlock(frame, 70, 100, 11, 61);
    analyse(cam, frame);
    clear(frame);
    paintBlock(frame, 70, 100, 31, 47);
    analyse(cam, frame);
    EXPECT_EQ(cam.nbPixels1, 41 * 41);
    EXPECT_EQ(cam.nbPixels2, 31 * 47);
    EXPECT_EQ(cam.baryX1, -HALF);
    EXPECT_EQ(cam.baryY1, 0);
    EXPECT_EQ(cam.varX1 + cam.varY1, 0);
    EXPECT_EQ(cam.rps2, SCISSORS);
}

// calculVariance reads the barycentre members as they stand, whoever set them: around one white
// pixel per half, the spread is the square of its distance.
TEST(AnalysisOfKnownPictures, SpreadAroundBarycentresSetFromElsewhere) {
    CWebCam cam;
    FrameRandom random(99);
    for (int n = 0; n < 60; n++) {
        SCOPED_TRACE("round " + std::to_string(n));
        std::memset(&cam.images[1].pixels[0][0], 0, sizeof(Pixel) * N);
        int x1 = random.below(HALF), y1 = random.below(IMAGE_HEIGHT);
        int x2 = random.below(HALF), y2 = random.below(IMAGE_HEIGHT);
        setFramePixel(cam.images[1].pixels[y1][HALF + x1], 255, 255, 255);
        setFramePixel(cam.images[1].pixels[y2][x2], 255, 255, 255);
        cam.baryX1 = random.below(4000) - 2000;
        cam.baryY1 = random.below(4000) - 2000;
        cam.baryX2 = random.below(4000) - 2000;
        cam.baryY2 = random.below(4000) - 2000;
        cam.calculVariance(1);
        EXPECT_EQ(cam.varX1, (x1 - cam.baryX1) * (x1 - cam.baryX1));
        EXPECT_EQ(cam.varY1, (y1 - cam.baryY1) * (y1 - cam.baryY1));
        EXPECT_EQ(cam.varX2, (x2 - cam.baryX2) * (x2 - cam.baryX2));
        EXPECT_EQ(cam.varY2, (y2 - cam.baryY2) * (y2 - cam.baryY2));
        EXPECT_EQ(cam.nbPixels1, 1);
        EXPECT_EQ(cam.nbPixels2, 1);
    }
}

// Frames of every kind (hands, noise, flat greys with lone pixels, masks, every grey level): the
// mask is black and white only, the counts are its white pixels, each barycentre lies in its
// half, the spreads are not negative and each sign is rock, paper or scissors.
TEST(AnalysisOfKnownPictures, EveryKindOfFrameKeepsTheMeasuresInTheirBounds) {
    CWebCam cam;
    Frame frame;
    for (int n = 0; n < FRAME_COUNT; n++) {
        SCOPED_TRACE("frame " + std::to_string(n));
        paintFrame(frame.image, n);
        analyse(cam, frame);
        const Pixel* mask = &cam.images[0].pixels[0][0];
        int white[2] = {0, 0};
        for (int i = 0; i < N; i++) {
            const Pixel& p = mask[i];
            bool isWhite = p.r == 255 && p.g == 255 && p.b == 255 && p.couleur == 16777215;
            bool isBlack = p.r == 0 && p.g == 0 && p.b == 0 && p.couleur == 0;
            ASSERT_TRUE(isWhite || isBlack) << "pixel " << i;
            white[i % IMAGE_WIDTH < HALF ? 1 : 0] += isWhite ? 1 : 0;
        }
        if (white[0] > 0) {
            EXPECT_EQ(cam.nbPixels1, white[0]);
            EXPECT_GE(cam.baryX1, 0);
            EXPECT_LT(cam.baryX1, HALF);
        }
        if (white[1] > 0) {
            EXPECT_EQ(cam.nbPixels2, white[1]);
            EXPECT_GE(cam.baryX2, 0);
            EXPECT_LT(cam.baryX2, HALF);
        }
        EXPECT_GE(std::min(std::min(cam.varX1, cam.varY1), std::min(cam.varX2, cam.varY2)), 0);
        EXPECT_TRUE(cam.rps1 >= ROCK && cam.rps1 <= SCISSORS);
        EXPECT_TRUE(cam.rps2 >= ROCK && cam.rps2 <= SCISSORS);
    }
}

// The vectorised passes, where this processor has them, give what the plain ones give, on the
// frames the chain meets and on their masks.
TEST(AnalysisOfKnownPictures, VectorisedPassesGiveWhatThePlainOnesGive) {
    AnalysisPasses vectorised;
    if (!avx2Passes(&vectorised)) {
        GTEST_SKIP() << "this processor has no AVX2";
    }
    Frame frame, plainMask, vectorisedMask;
    for (int n = 0; n < 120; n++) {
        SCOPED_TRACE("frame " + std::to_string(n));
        paintFrame(frame.image, n);
        int greySum = plainPasses.sumGrey(frame.data());
        EXPECT_EQ(vectorised.sumGrey(frame.data()), greySum);
        std::memcpy(plainMask.data(), frame.data(), sizeof(Pixel) * N);
        std::memcpy(vectorisedMask.data(), frame.data(), sizeof(Pixel) * N);
        plainPasses.writeMask(plainMask.data(), greySum / N);
        vectorised.writeMask(vectorisedMask.data(), greySum / N);
        EXPECT_TRUE(samePixels(vectorisedMask.data(), plainMask.data()));
        // Counted on the unsegmented frame too, where r = 255 is rarer and scattered.
        for (Pixel* counted : {frame.data(), plainMask.data()}) {
            WhiteCounts plainCounts, vectorisedCounts;
            plainPasses.countWhite(counted, plainCounts);
            vectorised.countWhite(counted, vectorisedCounts);
            ASSERT_EQ(std::memcmp(&plainCounts, &vectorisedCounts, sizeof plainCounts), 0);
        }
    }
}

// Player 2's half black, player 1's a grey of 602 / 3: the sum drops each pixel's fraction,
// the threshold falls between the halves, and every count is known.
TEST(AnalysisOfKnownPictures, PlainPassesOnAFrameWhoseAnswerIsKnown) {
    Frame frame;
    for (int row = 0; row < IMAGE_HEIGHT; row++) {
        for (int column = 160; column < IMAGE_WIDTH; column++) {
            setFramePixel(frame.image.pixels[row][column], 200, 201, 201);
        }
    }
    int greySum = plainPasses.sumGrey(frame.data());
    EXPECT_EQ(greySum, 200 * N / 2);
    plainPasses.writeMask(frame.data(), greySum / N);
    const Pixel& black = frame.image.pixels[10][10];
    const Pixel& white = frame.image.pixels[10][300];
    EXPECT_EQ(black.r + black.g + black.b + black.couleur, 0);
    EXPECT_EQ(white.r + white.g + white.b, 3 * 255);
    EXPECT_EQ(white.couleur, 16777215);
    WhiteCounts counts;
    plainPasses.countWhite(frame.data(), counts);
    for (int column = 0; column < IMAGE_WIDTH; column++) {
        ASSERT_EQ(counts.columns[column], column < 160 ? 0 : IMAGE_HEIGHT) << column;
    }
    for (int row = 0; row < IMAGE_HEIGHT; row++) {
        ASSERT_EQ(counts.rows1[row], 160) << row;
        ASSERT_EQ(counts.rows2[row], 0) << row;
    }
}

// A frame fully white in every column and row: the largest counts a byte lane must hold.
TEST(AnalysisOfKnownPictures, AllWhiteFrameCountsEveryPixel) {
    CWebCam cam;
    Pixel* all = &cam.images[0].pixels[0][0];
    for (int i = 0; i < N; i++) {
        setFramePixel(all[i], 255, 255, 255);
    }
    cam.calculBarycentre(0);
    cam.calculVariance(0);
    EXPECT_EQ(cam.nbPixels1, 38400);
    EXPECT_EQ(cam.nbPixels2, 38400);
    EXPECT_EQ(cam.baryX1, 79);
    EXPECT_EQ(cam.baryY1, 119);
    EXPECT_EQ(cam.varX1, 2133);  // (160² - 1) / 12 over the columns' offsets from 79
    EXPECT_EQ(cam.varY1, 4800);
}
