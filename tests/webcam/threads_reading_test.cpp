// Both hands of one analysed frame reach the fight together: never one frame's hand beside another's.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "platform/view_surface.h"
#include "shell/globals.h"
#include "shell/webcam_worker_control.h"
#include "webcam/hand_reading.h"
#include "tests/webcam/webcam_test_support.h"

// Every field of both hands is drawn from the frame number, so a reading put together from two
// frames shows it.
static HandReading readingOfFrame(unsigned long frame) {
    int n = (int)(frame % 1000);
    PlayerHand hand{frame % 2 == 0, n, n + 1, n + 2, n + 3, 1 + n % 3, n + 4};
    return HandReading{hand, hand, frame};
}

static bool wholeReading(const HandReading& r) {
    const HandReading expected = readingOfFrame(r.frame);
    auto same = [](const PlayerHand& a, const PlayerHand& b) {
        return a.found == b.found && a.baryX == b.baryX && a.baryY == b.baryY && a.varX == b.varX &&
               a.varY == b.varY && a.sign == b.sign && a.pixels == b.pixels;
    };
    return same(r.player1, expected.player1) && same(r.player2, expected.player2);
}

TEST(ThreadsReadings, FastPublisherNeverMixesTwoFrames) {
    ReadingBox box;
    box.publish(readingOfFrame(0));
    const unsigned long FRAMES = 200000;
    std::thread publisher([&box, FRAMES] {
        for (unsigned long frame = 1; frame <= FRAMES; ++frame) {
            box.publish(readingOfFrame(frame));
        }
    });
    unsigned long last = 0, mixed = 0, taken = 0;
    while (last < FRAMES) {
        HandReading reading = box.take();
        mixed += wholeReading(reading) ? 0 : 1;
        EXPECT_GE(reading.frame, last);
        last = reading.frame;
        ++taken;
    }
    publisher.join();
    EXPECT_EQ(mixed, 0u) << "of " << taken << " readings";
}

// Two pictures, each the other's mirror, in turn ten times a second: player 1 shows paper and
// player 2 rock in one, the other way round in the other. Whatever frame the worker read last,
// the fight is handed both signs of that frame.
class AlternatingSource {
public:
    AlternatingSource() {
        char name[] = "/tmp/vantorix-pair-XXXXXX";
        folder = mkdtemp(name);
        RgbFrame frame(320, 240);
        frame.fill(0, 0, 320, 240, 20, 25, 30);
        frame.fill(40, 100, 80, 140, 240, 220, 200);
        frame.fill(260, 70, 280, 170, 240, 220, 200);
        write(0, frame);
        RgbFrame mirror(320, 240);
        for (int y = 0; y < 240; ++y) {
            for (int x = 0; x < 320; ++x) {
                for (int c = 0; c < 3; ++c) {
                    mirror.bytes[(y * 320 + x) * 3 + c] = frame.bytes[(y * 320 + 319 - x) * 3 + c];
                }
            }
        }
        write(1, mirror);
        source = "multifilesrc location=" + folder + "/%d.rgb loop=true stop-index=1 "
                 "caps=\"video/x-raw,format=RGB,width=320,height=240,framerate=10/1\"";
    }
    ~AlternatingSource() {
        for (int i = 0; i < 2; ++i) {
            unlink((folder + "/" + std::to_string(i) + ".rgb").c_str());
        }
        rmdir(folder.c_str());
    }
    std::string source;

private:
    void write(int index, const RgbFrame& frame) {
        FILE* file = std::fopen((folder + "/" + std::to_string(index) + ".rgb").c_str(), "wb");
        ASSERT_NE(file, nullptr);
        std::fwrite(frame.bytes.data(), 1, frame.bytes.size(), file);
        std::fclose(file);
    }
    std::string folder;
};

TEST(ThreadsReadings, AlternatingPicturesReachTheFightWhole) {
    AlternatingSource pictures;
    g_hWnd = testViewWindow();
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hWndFenetre = g_hWnd;
    WebCam.hDCFenetre = g_hDC;
    WebCam.captureSource = pictures.source;
    world.setStartingValues();
    world.timer = 0;
    world.webcamOn = true;
    thread_signal = 0;
    startWebcamWorker();
    ASSERT_NE(WebCam.hDCCapture, nullptr);
    int seen[2] = {0, 0}, mixed = 0;
    auto end = std::chrono::steady_clock::now() + std::chrono::seconds(4);
    while (std::chrono::steady_clock::now() < end) {
        world.setInputs();
        passWebcamMeasurements();
        if (world.sign1 == 2 && world.sign2 == 1) {
            ++seen[0];
        } else if (world.sign1 == 1 && world.sign2 == 2) {
            ++seen[1];
        } else if (seen[0] + seen[1] > 0) {
            ++mixed;  // before the first analysis, the signs the camera starts with stand
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    testing::internal::CaptureStdout();
    stopWebcamWorker();
    testing::internal::GetCapturedStdout();
    releaseViewSurface(g_hDC);
    g_hDC = nullptr;
    EXPECT_GT(seen[0], 0);
    EXPECT_GT(seen[1], 0);
    EXPECT_EQ(mixed, 0);
}
