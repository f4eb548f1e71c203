// Capture through the real media pipeline with test sources: colours, sizes, orientation, failures.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/camera.h"
#include "webcam/WebCam.h"
#include "tests/webcam/webcam_test_support.h"

namespace {

void fillImage(CWebCam& cam, int image, int r, int g, int b) {
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            cam.images[image].pixels[row][column] = Pixel{(unsigned char)r, (unsigned char)g,
                                                          (unsigned char)b, r + g * 256 + b * 65536};
        }
    }
}

bool imageIs(const CWebCam& cam, int image, int r, int g, int b) {
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        for (int column = 0; column < IMAGE_WIDTH; ++column) {
            const Pixel& p = cam.images[image].pixels[row][column];
            if (p.r != r || p.g != g || p.b != b || p.couleur != r + g * 256 + b * 65536) {
                return false;
            }
        }
    }
    return true;
}

// Connects to the source and starts the preview without a window; waits for the first shown frame.
void connectAndShow(CWebCam& cam, const std::string& source) {
    cam.captureSource = source;
    ASSERT_TRUE(cam.Connect());
    cam.AfficheWebCam();
    unsigned char probe[3];
    for (int waited = 0; waited < 5000; waited += 10) {
        if (pixelOfShownFrame(cam.hDCCapture, 0, 0, probe)) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    FAIL() << "no frame shown";
}

// Red rises with the column, green with the row: every row and column tells where it came from.
RgbFrame gradientFrame() {
    RgbFrame frame(320, 240);
    for (int y = 0; y < 240; ++y) {
        for (int x = 0; x < 320; ++x) {
            unsigned char* p = &frame.bytes[((size_t)y * 320 + x) * 3];
            p[0] = (unsigned char)(x * 255 / 319);
            p[1] = (unsigned char)y;
            p[2] = 77;
        }
    }
    return frame;
}

}  // namespace

TEST(Capture, SolidRedSourceGivesPureRed) {
    CWebCam cam;
    connectAndShow(cam, "videotestsrc pattern=red");
    cam.ChargeCapture(0);
    EXPECT_TRUE(imageIs(cam, 0, 255, 0, 0));
    cam.Disconnect();
    EXPECT_EQ(cam.hDCCapture, nullptr);
}

TEST(Capture, FrameArrivesTopRowFirstAndNotMirrored) {
    CWebCam cam;
    FrameSource source(gradientFrame());
    connectAndShow(cam, source.description());
    cam.ChargeCapture(0);
    cam.RecupereImage(1);
    for (int row = 0; row < IMAGE_HEIGHT; row += 7) {
        for (int column = 0; column < IMAGE_WIDTH; column += 11) {
            const Pixel& p = cam.images[0].pixels[row][column];
            ASSERT_EQ(p.r, column * 255 / 319) << row << "," << column;
            ASSERT_EQ(p.g, row);
            ASSERT_EQ(p.b, 77);
            ASSERT_EQ(p.couleur, p.r + p.g * 256 + p.b * 65536);
            const Pixel& slow = cam.images[1].pixels[row][column];
            ASSERT_EQ(slow.couleur, p.couleur) << "pixel by pixel read differs";
        }
    }
    cam.Disconnect();
}

TEST(Capture, OtherSizesAreStretchedTo320By240) {
    // 640 x 360, wider than 4:3: red above, blue below, a green right quarter.
    RgbFrame frame(640, 360);
    frame.fill(0, 0, 480, 180, 255, 0, 0);
    frame.fill(0, 180, 480, 360, 0, 0, 255);
    frame.fill(480, 0, 640, 360, 0, 255, 0);
    FrameSource source(frame);
    CWebCam cam;
    connectAndShow(cam, source.description());
    cam.ChargeCapture(0);
    auto at = [&](int row, int column) { return cam.images[0].pixels[row][column]; };
    // Stretched, not cropped or bordered: the corners keep their colours.
    EXPECT_EQ(at(0, 0).couleur, 255);
    EXPECT_EQ(at(239, 0).couleur, 255 * 65536);
    EXPECT_EQ(at(0, 319).couleur, 255 * 256);
    EXPECT_EQ(at(239, 319).couleur, 255 * 256);
    EXPECT_EQ(at(110, 200).couleur, 255);
    EXPECT_EQ(at(130, 200).couleur, 255 * 65536);
    EXPECT_EQ(at(60, 230).couleur, 255);
    EXPECT_EQ(at(60, 250).couleur, 255 * 256);
    cam.Disconnect();
}

TEST(Capture, NoShownFrameLeavesImagesAlone) {
    CWebCam cam;
    fillImage(cam, 0, 1, 2, 3);
    fillImage(cam, 1, 4, 5, 6);
    cam.ChargeCapture(0);  // not connected
    cam.RecupereImage(1);
    EXPECT_TRUE(imageIs(cam, 0, 1, 2, 3));
    EXPECT_TRUE(imageIs(cam, 1, 4, 5, 6));
    // Connected, but the preview is not on: nothing is shown yet.
    cam.captureSource = "videotestsrc pattern=red";
    ASSERT_TRUE(cam.Connect());
    cam.ChargeCapture(0);
    cam.RecupereImage(1);
    EXPECT_TRUE(imageIs(cam, 0, 1, 2, 3));
    EXPECT_TRUE(imageIs(cam, 1, 4, 5, 6));
    cam.Disconnect();
}

TEST(Capture, Recupere2ImageAlternatesAndCharge2CaptureKeepsThePreviousFrame) {
    CWebCam cam;
    connectAndShow(cam, "videotestsrc pattern=red");
    fillImage(cam, 1, 0, 0, 0);
    fillImage(cam, 2, 0, 0, 0);
    cam.Recupere2Image(1, 2);
    EXPECT_TRUE(imageIs(cam, 1, 255, 0, 0));
    EXPECT_TRUE(imageIs(cam, 2, 0, 0, 0));
    fillImage(cam, 1, 0, 0, 0);
    cam.Recupere2Image(1, 2);
    EXPECT_TRUE(imageIs(cam, 1, 0, 0, 0));
    EXPECT_TRUE(imageIs(cam, 2, 255, 0, 0));
    fillImage(cam, 2, 0, 0, 0);
    cam.Recupere2Image(1, 2);
    EXPECT_TRUE(imageIs(cam, 1, 255, 0, 0));
    EXPECT_TRUE(imageIs(cam, 2, 0, 0, 0));

    fillImage(cam, 0, 9, 8, 7);
    cam.images[0].pixels[5][6].couleur = 12345;  // CopieImage moves all four fields as they are
    cam.Charge2Capture(0, 1);
    EXPECT_TRUE(imageIs(cam, 0, 255, 0, 0));
    EXPECT_EQ(cam.images[1].pixels[5][6].couleur, 12345);
    cam.images[1].pixels[5][6].couleur = 9 + 8 * 256 + 7 * 65536;
    EXPECT_TRUE(imageIs(cam, 1, 9, 8, 7));
    cam.Disconnect();
}

TEST(Capture, MissingCameraSaysSoAndConnectsNothing) {
    CWebCam cam;
    cam.captureDevice = "/dev/vantorix-no-such-camera";
    testing::internal::CaptureStderr();
    bool connected = cam.Connect();
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_FALSE(connected);
    EXPECT_EQ(cam.hDCCapture, nullptr);
    EXPECT_EQ(cam.hWndCapture, nullptr);
    EXPECT_NE(message.find("/dev/vantorix-no-such-camera"), std::string::npos) << message;
    EXPECT_NE(message.find("play continues on the keyboard"), std::string::npos) << message;
    EXPECT_EQ(message.find('\n'), message.size() - 1) << "one line: " << message;
    cam.AfficheWebCam();  // nothing to start, nothing to fail
    cam.Disconnect();
}

TEST(Capture, BrokenSourceDescriptionIsAnError) {
    std::string error;
    EXPECT_EQ(openCaptureDevice("no-such-element-anywhere", &error), nullptr);
    EXPECT_FALSE(error.empty());
}
