// CWebCam's buffers and initial measurements, copying between buffers and loading test pictures.
#include "webcam/WebCam.h"

#include <cstdio>
#include <cstring>
#include <vector>

#include "webcam/image_check.h"

// A test picture: 54 header bytes, then 240 bottom-up scan lines of 320 blue-green-red triples.
static const int BITMAP_HEADER_BYTES = 54;
static const int BITMAP_LINE_BYTES = IMAGE_WIDTH * 3;
static const int BITMAP_BYTES = BITMAP_HEADER_BYTES + BITMAP_LINE_BYTES * IMAGE_HEIGHT;

CWebCam::CWebCam()
    : baryX1(80), baryY1(120), baryX2(80), baryY2(120), varX1(0), varY1(0), varX2(0), varY2(0),
      rps1(1), rps2(1), nbPixels1(1), nbPixels2(1), hWndFenetre(nullptr), hDCFenetre(nullptr),
      hDCCapture(nullptr), hWndCapture(nullptr), captureDevice("/dev/video0"),
      recupereSecond(false), previewPeriodMs(DESIGN_PREVIEW_PERIOD_MS) {
    for (Image& image : images) {
        image.largeur = IMAGE_WIDTH;
        image.hauteur = IMAGE_HEIGHT;
        // Black until the first frame arrives.
        image.pixels = new Pixel[IMAGE_HEIGHT][IMAGE_WIDTH]();
    }
}

CWebCam::~CWebCam() {
    for (Image& image : images) {
        delete[] image.pixels;
        image.pixels = nullptr;
    }
}

void CWebCam::CopieImage(int source, int destination) {
    if (!imageIndexOk(*this, source, "CopieImage") || !imageIndexOk(*this, destination, "CopieImage") ||
        source == destination) {
        return;
    }
    std::memcpy(images[destination].pixels, images[source].pixels,
                sizeof(Pixel) * IMAGE_WIDTH * IMAGE_HEIGHT);
}

void CWebCam::ChargeBitmap(int image) {
    if (!imageIndexOk(*this, image, "ChargeBitmap")) {
        return;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%d.bmp", image);
    FILE* file = std::fopen(name, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "Vantorix: cannot open the test picture %s\n", name);
        return;
    }
    // Read whole before touching the buffer, so that a short file changes nothing.
    std::vector<unsigned char> bytes(BITMAP_BYTES);
    size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (got < bytes.size()) {
        std::fprintf(stderr,
                     "Vantorix: test picture %s holds %zu bytes, fewer than the %d of a 320 x 240 "
                     "24-bit picture; left unused\n",
                     name, got, BITMAP_BYTES);
        return;
    }
    const unsigned char* from = bytes.data() + BITMAP_HEADER_BYTES;
    for (int line = 0; line < IMAGE_HEIGHT; ++line) {
        Pixel* row = images[image].pixels[IMAGE_HEIGHT - 1 - line];
        for (int column = 0; column < IMAGE_WIDTH; ++column, from += 3) {
            Pixel& p = row[column];
            p.b = from[0];
            p.g = from[1];
            p.r = from[2];
            p.couleur = p.r + p.g * 256 + p.b * 65536;
        }
    }
}
