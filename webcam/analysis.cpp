// The hand-sign analysis: segmentation by brightness, each half's barycentre and spread, the sign.
#include "webcam/WebCam.h"

#include "game/codes.h"
#include "webcam/analysis_passes.h"
#include "webcam/image_check.h"

static const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;
// Image columns 0..159 are player 2's half, 160..319 player 1's.
static const int HALF_WIDTH = IMAGE_WIDTH / 2;

void CWebCam::CalGris(int image) {
    if (!imageIndexOk(*this, image, "CalGris")) {
        return;
    }
    Pixel* p = &images[image].pixels[0][0];
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        int grey = (p[i].r + p[i].g + p[i].b) / 3;
        p[i].r = p[i].g = p[i].b = (unsigned char)grey;
        p[i].couleur = grey + grey * 256 + grey * 65536;
    }
}

Pixel CWebCam::CalMoyCouleur(int image) const {
    if (!imageIndexOk(*this, image, "CalMoyCouleur")) {
        return Pixel{0, 0, 0, 0};
    }
    const Pixel* p = &images[image].pixels[0][0];
    int sumR = 0, sumG = 0, sumB = 0;  // at most 76,800 x 255 each
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        sumR += p[i].r;
        sumG += p[i].g;
        sumB += p[i].b;
    }
    Pixel mean;
    mean.r = (unsigned char)(sumR / PIXEL_COUNT);
    mean.g = (unsigned char)(sumG / PIXEL_COUNT);
    mean.b = (unsigned char)(sumB / PIXEL_COUNT);
    mean.couleur = mean.r + mean.g * 256 + mean.b * 65536;
    return mean;
}

// The grey picture is never needed whole: the first pass sums the grey levels for the mean,
// the second turns each pixel straight into white or black from its own r, g and b.
void CWebCam::CalBiCouleur(int image) {
    if (!imageIndexOk(*this, image, "CalBiCouleur")) {
        return;
    }
    const AnalysisPasses& passes = analysisPasses();
    Pixel* p = &images[image].pixels[0][0];
    int threshold = passes.sumGrey(p) / PIXEL_COUNT;
    passes.writeMask(p, threshold);
}

// The white pixels of one half, summed from the column and row counts of a frame.
struct HalfCounts {
    const int* columns;  // the half's own columns, image column firstColumn first
    int firstColumn;
    const int* rows;
};

static HalfCounts halfOf(const WhiteCounts& counts, int player) {
    if (player == 1) {
        return HalfCounts{counts.columns + HALF_WIDTH, HALF_WIDTH, counts.rows1};
    }
    return HalfCounts{counts.columns, 0, counts.rows2};
}

static int whiteCount(const HalfCounts& half) {
    int count = 0;
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        count += half.rows[row];
    }
    return count;
}

// Mean image column and row of the half's white pixels, fraction dropped; 0, 0 without any.
static void meanPosition(const HalfCounts& half, int& column, int& row) {
    int count = whiteCount(half), sumX = 0, sumY = 0;
    for (int x = 0; x < HALF_WIDTH; ++x) {
        sumX += half.columns[x] * (half.firstColumn + x);
    }
    for (int y = 0; y < IMAGE_HEIGHT; ++y) {
        sumY += half.rows[y] * y;
    }
    column = count > 0 ? sumX / count : 0;
    row = count > 0 ? sumY / count : 0;
}

void CWebCam::calculBarycentre(int image) {
    if (!imageIndexOk(*this, image, "calculBarycentre")) {
        return;
    }
    WhiteCounts counts;
    analysisPasses().countWhite(&images[image].pixels[0][0], counts);
    int column1, row1, column2, row2;
    meanPosition(halfOf(counts, 1), column1, row1);
    meanPosition(halfOf(counts, 2), column2, row2);
    baryX1 = column1 - HALF_WIDTH;
    baryY1 = row1;
    baryX2 = column2;
    baryY2 = row2;
}

// Mean squared distance of the half's white pixels from (centreX, centreY) by column and by row,
// fraction dropped. The barycentres come from the same pixels, so the sums fit 32 bits; 64 bits
// keeps a barycentre set from elsewhere from overflowing them.
static int spreads(const HalfCounts& half, int centreX, int centreY, int& spreadX, int& spreadY) {
    int count = whiteCount(half);
    long long sumX = 0, sumY = 0;
    for (int x = 0; x < HALF_WIDTH; ++x) {
        long long dx = half.firstColumn + x - centreX;
        sumX += half.columns[x] * dx * dx;
    }
    for (int y = 0; y < IMAGE_HEIGHT; ++y) {
        long long dy = y - centreY;
        sumY += half.rows[y] * dy * dy;
    }
    spreadX = count > 0 ? (int)(sumX / count) : 0;
    spreadY = count > 0 ? (int)(sumY / count) : 0;
    return count;
}

void CWebCam::calculVariance(int image) {
    if (!imageIndexOk(*this, image, "calculVariance")) {
        return;
    }
    WhiteCounts counts;
    analysisPasses().countWhite(&images[image].pixels[0][0], counts);
    int spreadX1, spreadY1, spreadX2, spreadY2;
    int count1 = spreads(halfOf(counts, 1), baryX1 + HALF_WIDTH, baryY1, spreadX1, spreadY1);
    int count2 = spreads(halfOf(counts, 2), baryX2, baryY2, spreadX2, spreadY2);
    // An empty half keeps the count it had, so a count never falls to 0.
    if (count1 > 0) {
        nbPixels1 = count1;
    }
    if (count2 > 0) {
        nbPixels2 = count2;
    }
    varX1 = spreadX1;
    varY1 = spreadY1;
    varX2 = spreadX2;
    varY2 = spreadY2;
}

// Not clearly taller than wide: rock; much taller than wide, or wide against its area: paper;
// in between: scissors. The constants are single precision, the arithmetic double.
static int classify(int spreadX, int spreadY, int count) {
    if (spreadX * (double)1.8f > spreadY) {
        return ROCK;
    }
    if (spreadY > spreadX * (double)2.95f) {
        return PAPER;
    }
    if ((double)spreadX / count > (double)0.4f) {
        return PAPER;
    }
    return SCISSORS;
}

void CWebCam::discriminateRPS() {
    rps1 = classify(varX1, varY1, nbPixels1);
    rps2 = classify(varX2, varY2, nbPixels2);
}
