// The hand-sign analysis: segmentation by brightness, each half's barycentre and spread, the sign.
#include "WebCam.h"

static const int PIXEL_COUNT = IMAGE_WIDTH * IMAGE_HEIGHT;
// Image columns 0..159 are player 2's half, 160..319 player 1's.
static const int HALF_WIDTH = IMAGE_WIDTH / 2;
static const int WHITE = 255;
static const int SIGN_ROCK = 1;
static const int SIGN_PAPER = 2;
static const int SIGN_SCISSORS = 3;

void CWebCam::CalGris(int image) {
    Pixel* p = &images[image].pixels[0][0];
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        int grey = (p[i].r + p[i].g + p[i].b) / 3;
        p[i].r = p[i].g = p[i].b = (unsigned char)grey;
        p[i].couleur = grey + grey * 256 + grey * 65536;
    }
}

Pixel CWebCam::CalMoyCouleur(int image) const {
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

void CWebCam::CalBiCouleur(int image) {
    CalGris(image);
    int threshold = CalMoyCouleur(image).r;
    Pixel* p = &images[image].pixels[0][0];
    for (int i = 0; i < PIXEL_COUNT; ++i) {
        if (p[i].r > threshold) {
            p[i].r = p[i].g = p[i].b = WHITE;
            p[i].couleur = 16777215;
        } else {
            p[i].r = p[i].g = p[i].b = 0;
            p[i].couleur = 0;
        }
    }
}

void CWebCam::calculBarycentre(int image) {
    int count1 = 0, sumX1 = 0, sumY1 = 0;
    int count2 = 0, sumX2 = 0, sumY2 = 0;
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        const Pixel* line = images[image].pixels[row];
        for (int column = 0; column < HALF_WIDTH; ++column) {
            if (line[column].r == WHITE) {
                ++count2;
                sumX2 += column;
                sumY2 += row;
            }
        }
        for (int column = HALF_WIDTH; column < IMAGE_WIDTH; ++column) {
            if (line[column].r == WHITE) {
                ++count1;
                sumX1 += column;
                sumY1 += row;
            }
        }
    }
    if (count1 > 0) {
        sumX1 /= count1;
        sumY1 /= count1;
    }
    if (count2 > 0) {
        sumX2 /= count2;
        sumY2 /= count2;
    }
    baryX1 = sumX1 - HALF_WIDTH;
    baryY1 = sumY1;
    baryX2 = sumX2;
    baryY2 = sumY2;
}

void CWebCam::calculVariance(int image) {
    // The barycentres come from the same pixels, so the sums fit 32 bits; 64 bits keeps a
    // barycentre set from elsewhere from overflowing them.
    const int centreX1 = baryX1 + HALF_WIDTH, centreY1 = baryY1;
    const int centreX2 = baryX2, centreY2 = baryY2;
    int count1 = 0, count2 = 0;
    long long sumX1 = 0, sumY1 = 0, sumX2 = 0, sumY2 = 0;
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        const Pixel* line = images[image].pixels[row];
        const long long dy1 = row - centreY1, dy2 = row - centreY2;
        for (int column = 0; column < HALF_WIDTH; ++column) {
            if (line[column].r == WHITE) {
                const long long dx = column - centreX2;
                ++count2;
                sumX2 += dx * dx;
                sumY2 += dy2 * dy2;
            }
        }
        for (int column = HALF_WIDTH; column < IMAGE_WIDTH; ++column) {
            if (line[column].r == WHITE) {
                const long long dx = column - centreX1;
                ++count1;
                sumX1 += dx * dx;
                sumY1 += dy1 * dy1;
            }
        }
    }
    if (count1 > 0) {
        sumX1 /= count1;
        sumY1 /= count1;
        nbPixels1 = count1;
    }
    if (count2 > 0) {
        sumX2 /= count2;
        sumY2 /= count2;
        nbPixels2 = count2;
    }
    varX1 = (int)sumX1;
    varY1 = (int)sumY1;
    varX2 = (int)sumX2;
    varY2 = (int)sumY2;
}

// Not clearly taller than wide: rock; much taller than wide, or wide against its area: paper;
// in between: scissors. The constants are single precision, the arithmetic double.
static int classify(int spreadX, int spreadY, int count) {
    if (spreadX * (double)1.8f > spreadY) {
        return SIGN_ROCK;
    }
    if (spreadY > spreadX * (double)2.95f) {
        return SIGN_PAPER;
    }
    if ((double)spreadX / count > (double)0.4f) {
        return SIGN_PAPER;
    }
    return SIGN_SCISSORS;
}

void CWebCam::discriminateRPS() {
    rps1 = classify(varX1, varY1, nbPixels1);
    rps2 = classify(varX2, varY2, nbPixels2);
}
