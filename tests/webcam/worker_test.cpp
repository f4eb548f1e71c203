// The worker thread beside the main thread: stopping, and a camera picture reaching the fight.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/view_surface.h"
#include "shell/game_objects.h"
#include "shell/webcam_worker_control.h"
#include "webcam/worker.h"
#include "tests/webcam/webcam_test_support.h"

TEST(ThreadsWorker, AlreadySignalledProcessesNoFrame) {
    g_hDC = getViewSurface(testViewWindow());
    linkWorkerToGlobals();
    WebCam.baryX1 = 12345;
    WebCam.images[0].pixels[10][10] = Pixel{250, 250, 250, 16448250};
    thread_signal = -1;
    testing::internal::CaptureStdout();
    int result = 1;
    std::thread worker([&result] { result = thread_webcam(nullptr); });
    worker.join();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(result, 0);
    EXPECT_EQ(printed, "Thread quitting\n");
    EXPECT_EQ(WebCam.baryX1, 12345);
    EXPECT_EQ(WebCam.images[0].pixels[10][10].r, 250) << "the frame was segmented";
    releaseViewSurface(g_hDC);
    g_hDC = nullptr;
}

// Player 2 (left of the camera picture) holds a square fist left of its centre: rock, walking
// right; player 1 holds a tall flat hand right of its centre: paper, walking left.
TEST(ThreadsWorker, CameraPictureReachesTheFight) {
    RgbFrame frame(320, 240);
    frame.fill(0, 0, 320, 240, 20, 25, 30);
    frame.fill(40, 100, 80, 140, 240, 220, 200);
    frame.fill(260, 70, 280, 170, 240, 220, 200);
    FrameSource source(frame);

    g_hWnd = testViewWindow();
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hWndFenetre = g_hWnd;
    WebCam.hDCFenetre = g_hDC;
    WebCam.captureSource = source.description();
    world.setStartingValues();
    world.fight.timer = 0;
    world.webcamOn = true;
    thread_signal = 0;
    startWebcamWorker();
    ASSERT_NE(WebCam.hDCCapture, nullptr);

    bool received = false;
    for (int frameCount = 0; frameCount < 1000 && !received; ++frameCount) {
        FrameInputs got = passWebcamMeasurements(FrameInputs());
        received = got.sign1 == 2 && got.left1 == 1 && got.right1 == 0 && got.sign2 == 1 &&
                   got.right2 == 1 && got.left2 == 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(received);
    EXPECT_EQ(WebCam.baryX1, 109);
    EXPECT_EQ(WebCam.baryX2, 59);

    // F1: the keyboard's inputs stand.
    world.webcamOn = false;
    FrameInputs keys;
    keys.sign1 = 3;
    EXPECT_EQ(passWebcamMeasurements(keys), keys);

    // Let a full pass paint the mask, then read player 1's mirrored hand back: image columns
    // 260-279 show at x 200-219.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    WindowReader reader(g_hWnd);
    reader.grab();
    int rgb[3];
    reader.pixel(210, 120, rgb);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 3 * 255);
    EXPECT_TRUE(reader.isBlack(170, 120));
    // The live preview shows the camera picture itself at x 440-759.
    reader.pixel(440 + 60, 120, rgb);
    EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 240220200);

    testing::internal::CaptureStdout();
    stopWebcamWorker();
    std::string printed = testing::internal::GetCapturedStdout();
    EXPECT_EQ(printed, "Thread quitting\n");
    EXPECT_EQ(WebCam.hDCCapture, nullptr);
    stopWebcamWorker();  // a second stop on another way out does nothing more
}

TEST(ThreadsWorker, NoCameraLeavesTheKeyboardInCharge) {
    g_hWnd = testViewWindow();
    WebCam.captureDevice = "/dev/vantorix-no-such-camera";
    WebCam.captureSource.clear();
    world.setStartingValues();
    world.fight.timer = 0;
    world.webcamOn = true;
    thread_signal = 0;
    testing::internal::CaptureStderr();
    startWebcamWorker();
    std::string message = testing::internal::GetCapturedStderr();
    EXPECT_NE(message.find("/dev/vantorix-no-such-camera"), std::string::npos) << message;
    EXPECT_NE(message.find("keyboard"), std::string::npos) << message;
    FrameInputs keys;
    keys.sign2 = 2;
    keys.left1 = 1;
    EXPECT_EQ(passWebcamMeasurements(keys), keys);
    testing::internal::CaptureStdout();
    stopWebcamWorker();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

// The room way on a black picture, with a face model that cannot be read: one line names the
// file, the view window says why no hand is found, the readings find none, nothing stops.
TEST(ThreadsWorker, RoomWayInTheDarkWithoutAFaceModel) {
    FrameSource source(RgbFrame(320, 240));
    g_hWnd = testViewWindow();
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hWndFenetre = g_hWnd;
    WebCam.hDCFenetre = g_hDC;
    WebCam.captureSource = source.description();
    ASSERT_TRUE(WebCam.Connect());
    ReadingBox readings;
    thread_signal = 0;
    linkWorker(WorkerLinks{&WebCam, g_hDC, &thread_signal, &world.shownLife1, &world.shownLife2, &readings,
                           HANDS_ROOM, nullptr, "/nonexistent/faces.xml",
                           VANTORIX_DATA_DIR "/hand_landmark.onnx", VANTORIX_DATA_DIR "/hand_landmark_full.onnx"});
    testing::internal::CaptureStderr();
    std::thread worker(thread_webcam, nullptr);
    // The notice is written in orange to the right of the progress bar, once the room is learnt.
    int noticePixels = 0;
    WindowReader reader(g_hWnd);
    for (int waited = 0; waited < 15000 && noticePixels == 0; waited += 200) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        reader.grab();
        for (int x = 640; x < 1200; ++x) {
            int rgb[3];
            reader.pixel(x, 256, rgb);
            noticePixels += rgb[0] > 100 && rgb[0] > rgb[1] + 60 && rgb[2] < rgb[1] ? 1 : 0;
        }
    }
    EXPECT_GT(noticePixels, 0);
    testing::internal::CaptureStdout();
    thread_signal = -1;
    worker.join();
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "Vantorix: the face model \"/nonexistent/faces.xml\" cannot be read; hands are found without "
              "setting faces aside\n");
    HandReading last = readings.take();
    EXPECT_GT(last.frame, 5u);
    EXPECT_FALSE(last.player1.found || last.player2.found);
    WebCam.Disconnect();
    releaseViewSurface(g_hDC);
    g_hDC = nullptr;
}
