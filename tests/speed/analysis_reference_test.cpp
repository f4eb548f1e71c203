// The fast hand-sign analysis against a plain pixel-by-pixel reference, on hundreds of frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "bench/hand_frames.h"
#include "webcam/WebCam.h"
#include "webcam/analysis_passes.h"

namespace {

const int N = IMAGE_WIDTH * IMAGE_HEIGHT;

// The twelve measurement members, as the straightforward algorithm computes them.
struct Measures {
    int baryX1 = 80, baryY1 = 120, baryX2 = 80, baryY2 = 120;
    int varX1 = 0, varY1 = 0, varX2 = 0, varY2 = 0;
    int rps1 = 1, rps2 = 1, nbPixels1 = 1, nbPixels2 = 1;
};

// The reference works on its own copy of the frame: one plain pass per step.
struct Reference {
    std::vector<Pixel> pixels;
    Measures m;

    Pixel& at(int row, int column) { return pixels[row * IMAGE_WIDTH + column]; }

    void biCouleur() {
        for (Pixel& p : pixels) {
            int grey = (p.r + p.g + p.b) / 3;
            p.r = p.g = p.b = (unsigned char)grey;
            p.couleur = grey + grey * 256 + grey * 65536;
        }
        int sum = 0;
        for (const Pixel& p : pixels) {
            sum += p.r;
        }
        int threshold = sum / N;
        for (Pixel& p : pixels) {
            bool white = p.r > threshold;
            p.r = p.g = p.b = white ? 255 : 0;
            p.couleur = white ? 16777215 : 0;
        }
    }

    void barycentre() {
        int count[2] = {0, 0}, sumX[2] = {0, 0}, sumY[2] = {0, 0};
        for (int row = 0; row < IMAGE_HEIGHT; row++) {
            for (int column = 0; column < IMAGE_WIDTH; column++) {
                if (at(row, column).r == 255) {
                    int half = column < 160 ? 1 : 0;  // 0: player 1, 1: player 2
                    count[half]++;
                    sumX[half] += column;
                    sumY[half] += row;
                }
            }
        }
        for (int half = 0; half < 2; half++) {
            if (count[half] > 0) {
                sumX[half] /= count[half];
                sumY[half] /= count[half];
            }
        }
        m.baryX1 = sumX[0] - 160;
        m.baryY1 = sumY[0];
        m.baryX2 = sumX[1];
        m.baryY2 = sumY[1];
    }

    void variance() {
        long long count[2] = {0, 0}, sumX[2] = {0, 0}, sumY[2] = {0, 0};
        const int centreX[2] = {m.baryX1 + 160, m.baryX2}, centreY[2] = {m.baryY1, m.baryY2};
        for (int row = 0; row < IMAGE_HEIGHT; row++) {
            for (int column = 0; column < IMAGE_WIDTH; column++) {
                if (at(row, column).r == 255) {
                    int half = column < 160 ? 1 : 0;
                    long long dx = column - centreX[half], dy = row - centreY[half];
                    count[half]++;
                    sumX[half] += dx * dx;
                    sumY[half] += dy * dy;
                }
            }
        }
        for (int half = 0; half < 2; half++) {
            if (count[half] > 0) {
                sumX[half] /= count[half];
                sumY[half] /= count[half];
            }
        }
        if (count[0] > 0) {
            m.nbPixels1 = (int)count[0];
        }
        if (count[1] > 0) {
            m.nbPixels2 = (int)count[1];
        }
        m.varX1 = (int)sumX[0];
        m.varY1 = (int)sumY[0];
        m.varX2 = (int)sumX[1];
        m.varY2 = (int)sumY[1];
    }

    static int sign(int vX, int vY, int n) {
        if (vX * (double)1.8f > vY) {
            return 1;
        }
        if (vY > vX * (double)2.95f || (double)vX / n > (double)0.4f) {
            return 2;
        }
        return 3;
    }

    void discriminate() {
        m.rps1 = sign(m.varX1, m.varY1, m.nbPixels1);
        m.rps2 = sign(m.varX2, m.varY2, m.nbPixels2);
    }
};

Measures measuresOf(const CWebCam& cam) {
    Measures m;
    m.baryX1 = cam.baryX1;
    m.baryY1 = cam.baryY1;
    m.baryX2 = cam.baryX2;
    m.baryY2 = cam.baryY2;
    m.varX1 = cam.varX1;
    m.varY1 = cam.varY1;
    m.varX2 = cam.varX2;
    m.varY2 = cam.varY2;
    m.rps1 = cam.rps1;
    m.rps2 = cam.rps2;
    m.nbPixels1 = cam.nbPixels1;
    m.nbPixels2 = cam.nbPixels2;
    return m;
}

void expectSameMeasures(const Measures& got, const Measures& want, const std::string& frame) {
    SCOPED_TRACE(frame);
    EXPECT_EQ(got.baryX1, want.baryX1);
    EXPECT_EQ(got.baryY1, want.baryY1);
    EXPECT_EQ(got.baryX2, want.baryX2);
    EXPECT_EQ(got.baryY2, want.baryY2);
    EXPECT_EQ(got.varX1, want.varX1);
    EXPECT_EQ(got.varY1, want.varY1);
    EXPECT_EQ(got.varX2, want.varX2);
    EXPECT_EQ(got.varY2, want.varY2);
    EXPECT_EQ(got.rps1, want.rps1);
    EXPECT_EQ(got.rps2, want.rps2);
    EXPECT_EQ(got.nbPixels1, want.nbPixels1);
    EXPECT_EQ(got.nbPixels2, want.nbPixels2);
}

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

}  // namespace

// The chain as the worker runs it, one frame after another on the same object, so that the
// counts an empty half keeps are carried from frame to frame on both sides.
TEST(AnalysisAgainstReference, ChainGivesTheSameMeasuresAndMaskOnEveryFrame) {
    CWebCam cam;
    Reference reference;
    Frame frame;
    for (int n = 0; n < FRAME_COUNT; n++) {
        paintFrame(frame.image, n);
        reference.pixels.assign(frame.data(), frame.data() + N);
        std::memcpy(&cam.images[0].pixels[0][0], frame.data(), sizeof(Pixel) * N);
        cam.CalBiCouleur(0);
        reference.biCouleur();
        ASSERT_TRUE(samePixels(&cam.images[0].pixels[0][0], reference.pixels.data())) << "frame " << n;
        cam.calculBarycentre(0);
        cam.calculVariance(0);
        cam.discriminateRPS();
        reference.barycentre();
        reference.variance();
        reference.discriminate();
        expectSameMeasures(measuresOf(cam), reference.m, "frame " + std::to_string(n));
    }
}

// calculVariance reads the barycentre members as they stand, whoever set them.
TEST(AnalysisAgainstReference, VarianceAroundBarycentresSetFromElsewhere) {
    CWebCam cam;
    Reference reference;
    Frame frame;
    FrameRandom random(99);
    for (int n = 0; n < 60; n++) {
        paintFrame(frame.image, n);
        std::memcpy(&cam.images[1].pixels[0][0], frame.data(), sizeof(Pixel) * N);
        reference.pixels.assign(frame.data(), frame.data() + N);
        reference.m.baryX1 = cam.baryX1 = random.below(4000) - 2000;
        reference.m.baryY1 = cam.baryY1 = random.below(4000) - 2000;
        reference.m.baryX2 = cam.baryX2 = random.below(4000) - 2000;
        reference.m.baryY2 = cam.baryY2 = random.below(4000) - 2000;
        reference.m.nbPixels1 = cam.nbPixels1;
        reference.m.nbPixels2 = cam.nbPixels2;
        cam.calculVariance(1);
        reference.variance();
        expectSameMeasures(measuresOf(cam), reference.m, "frame " + std::to_string(n));
    }
}

// The vectorised passes, where this processor has them, give what the plain ones give, on the
// frames the chain meets and on their masks.
TEST(AnalysisAgainstReference, VectorisedPassesGiveWhatThePlainOnesGive) {
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
TEST(AnalysisAgainstReference, PlainPassesOnAFrameWhoseAnswerIsKnown) {
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
TEST(AnalysisAgainstReference, AllWhiteFrameCountsEveryPixel) {
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
