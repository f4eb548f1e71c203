// CWebCam's camera side: connecting, the live preview, grabbing frames and painting the mask.
#include <cstdio>
#include <vector>

#include "platform/camera.h"
#include "platform/view_surface.h"
#include "webcam/WebCam.h"
#include "webcam/image_check.h"

// The live preview's place in the view window.
static const int PREVIEW_X = 440;
static const int PREVIEW_Y = 0;
// Where the two mirrored halves of the mask go.
static const int PLAYER1_PICTURE_X = 160;
static const int PLAYER2_PICTURE_X = 880;
static const int HALF_WIDTH = IMAGE_WIDTH / 2;

static void setPixel(Pixel& p, unsigned char r, unsigned char g, unsigned char b) {
    p.r = r;
    p.g = g;
    p.b = b;
    p.couleur = r + g * 256 + b * 65536;
}

bool CWebCam::Connect() {
    std::string source = captureSource.empty() ? cameraSource(captureDevice) : captureSource;
    std::string error;
    CaptureDevice* device = openCaptureDevice(source, &error);
    if (device == nullptr) {
        std::string name = captureSourceName(captureDevice, captureSource);
        std::fprintf(stderr, "Vantorix: %s cannot be connected (%s); play continues on the keyboard\n",
                     name.c_str(), error.c_str());
        return false;
    }
    hWndCapture = device;
    hDCCapture = device;
    return true;
}

void CWebCam::Disconnect() {
    closeCaptureDevice(hWndCapture);
    hWndCapture = nullptr;
    hDCCapture = nullptr;
}

void CWebCam::AfficheWebCam() {
    startCapturePreview(hWndCapture, hWndFenetre, PREVIEW_X, PREVIEW_Y, previewPeriodMs);
}

void CWebCam::ChargeCapture(int image) {
    if (!imageIndexOk(*this, image, "ChargeCapture")) {
        return;
    }
    std::vector<unsigned char> frame(CAPTURE_FRAME_BYTES);
    if (!copyShownFrame(hDCCapture, frame.data())) {
        return;
    }
    const unsigned char* from = frame.data();
    Pixel* to = &images[image].pixels[0][0];
    for (int i = 0; i < IMAGE_WIDTH * IMAGE_HEIGHT; ++i, from += 3) {
        setPixel(to[i], from[0], from[1], from[2]);
    }
}

void CWebCam::RecupereImage(int image) {
    if (!imageIndexOk(*this, image, "RecupereImage")) {
        return;
    }
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            unsigned char rgb[3];
            if (!pixelOfShownFrame(hDCCapture, column, row, rgb)) {
                return;
            }
            setPixel(images[image].pixels[row][column], rgb[0], rgb[1], rgb[2]);
        }
    }
}

void CWebCam::Recupere2Image(int first, int second) {
    RecupereImage(recupereSecond ? second : first);
    recupereSecond = !recupereSecond;
}

void CWebCam::Charge2Capture(int current, int previous) {
    CopieImage(current, previous);
    ChargeCapture(current);
}

void CWebCam::AfficheImage(int image) {
    if (!imageIndexOk(*this, image, "AfficheImage") || hDCFenetre == nullptr) {
        return;
    }
    // Bottom-up and mirrored: image row i goes to block line 239 - i, column j to 319 - j.
    std::vector<unsigned char> block((size_t)IMAGE_WIDTH * IMAGE_HEIGHT * 4, 0);
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        const Pixel* from = images[image].pixels[row];
        unsigned char* to = &block[(size_t)(IMAGE_HEIGHT - 1 - row) * IMAGE_WIDTH * 4];
        for (int j = 0; j < IMAGE_WIDTH; ++j, to += 4) {
            const Pixel& p = from[IMAGE_WIDTH - 1 - j];
            to[0] = p.b;
            to[1] = p.g;
            to[2] = p.r;
        }
    }
    BottomUpPicture picture = {IMAGE_WIDTH, IMAGE_HEIGHT, block.data()};
    drawPicture(hDCFenetre, PLAYER1_PICTURE_X, 0, HALF_WIDTH, IMAGE_HEIGHT, picture, 0, 0);
    drawPicture(hDCFenetre, PLAYER2_PICTURE_X, 0, HALF_WIDTH, IMAGE_HEIGHT, picture, HALF_WIDTH, 0);
    flushViewSurface(hDCFenetre);
}
