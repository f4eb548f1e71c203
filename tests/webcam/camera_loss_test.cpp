// A camera that goes away while it plays: the capture notices, the worker winds down, keys count.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "platform/camera.h"
#include "platform/view_surface.h"
#include "shell/game_objects.h"
#include "shell/webcam_worker_control.h"
#include "tests/support/program.h"
#include "tests/webcam/webcam_test_support.h"

namespace {

// Waits for the source to be seen as gone; the reason, or "" after the timeout.
std::string waitForLoss(const CaptureDevice* device, int timeoutMs) {
    std::string reason;
    for (int waited = 0; waited < timeoutMs; waited += 20) {
        if (captureLost(device, &reason)) {
            return reason;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return "";
}

void expectLossNoticed(const std::string& source, const std::string& expectedReason) {
    SCOPED_TRACE(source);
    std::string error;
    CaptureDevice* device = openCaptureDevice(source, &error);
    ASSERT_NE(device, nullptr) << error;
    std::string reason;
    EXPECT_FALSE(captureLost(device, &reason)) << "lost before the preview watched it: " << reason;
    startCapturePreview(device, nullptr, 0, 0, 300);
    EXPECT_NE(waitForLoss(device, 15000).find(expectedReason), std::string::npos);
    // The last frame stays readable until the device is closed.
    unsigned char rgb[3];
    EXPECT_TRUE(pixelOfShownFrame(device, 10, 10, rgb));
    closeCaptureDevice(device);
}

}  // namespace

TEST(ThreadsCameraLoss, EndErrorAndSilenceAreEachNoticed) {
    std::string reason;
    EXPECT_FALSE(captureLost(nullptr, &reason));
    expectLossNoticed("videotestsrc is-live=true num-buffers=10", "the source ended");
    expectLossNoticed("videotestsrc is-live=true ! identity error-after=10", "Failed after");
    // One frame now and the next in ten seconds: a camera that went quiet without a word.
    expectLossNoticed("videotestsrc ! video/x-raw,framerate=1/10", "no picture for 5 seconds");
}

TEST(ThreadsCameraLoss, SteadySourceIsNotLost) {
    std::string error;
    CaptureDevice* device = openCaptureDevice("videotestsrc is-live=true", &error);
    ASSERT_NE(device, nullptr) << error;
    startCapturePreview(device, nullptr, 0, 0, 300);
    EXPECT_EQ(waitForLoss(device, 1500), "");
    closeCaptureDevice(device);
}

// Player 1 presses left and right on the keyboard every frame, which no hand can do. The webcam
// input replaces them while the camera plays; once the camera is gone they stand, and the loss
// is said exactly once.
TEST(ThreadsCameraLoss, LostCameraStopsTheWorkerAndTheKeyboardPlays) {
    g_hWnd = testViewWindow();
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hWndFenetre = g_hWnd;
    WebCam.hDCFenetre = g_hDC;
    WebCam.captureSource = "videotestsrc is-live=true num-buffers=20 pattern=ball";
    world.setStartingValues();
    world.fight.timer = 0;
    world.webcamOn = true;
    thread_signal = 0;
    startWebcamWorker();
    ASSERT_NE(WebCam.hDCCapture, nullptr);

    testing::internal::CaptureStderr();
    testing::internal::CaptureStdout();
    int clearedFrames = 0;
    int keptFrames = 0;
    for (int frame = 0; frame < 1500 && keptFrames < 20; ++frame) {
        FrameInputs keys;
        keys.left1 = keys.right1 = 1;
        FrameInputs played = passWebcamMeasurements(keys);
        (played == keys ? keptFrames : clearedFrames)++;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    std::string printed = testing::internal::GetCapturedStdout();
    std::string message = testing::internal::GetCapturedStderr();

    EXPECT_GT(clearedFrames, 0);
    EXPECT_EQ(keptFrames, 20);
    EXPECT_EQ(occurrences(message, "\n"), 1) << message;
    EXPECT_NE(message.find("capture source \"videotestsrc is-live=true num-buffers=20 "
                           "pattern=ball\" stopped giving pictures (the source ended); play "
                           "continues on the keyboard"),
              std::string::npos)
        << message;
    EXPECT_EQ(printed, "Thread quitting\n");
    EXPECT_EQ(thread_signal, -1);
    EXPECT_EQ(WebCam.hDCCapture, nullptr);

    // The way out afterwards stops nothing twice.
    testing::internal::CaptureStdout();
    stopWebcamWorker();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    releaseViewSurface(g_hDC);
    g_hDC = nullptr;
}
