// The overlay's labels end inside their text panels, clear of the mask strips and the preview.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <vector>

#include "platform/view_surface.h"
#include "shell/game_objects.h"
#include "shell/webcam_worker_control.h"
#include "tests/webcam/webcam_test_support.h"

namespace {

const int PANEL_LEFT[2] = {320, 760};
const int PANEL_WIDTH = 120;
const int ORIGIN_IN_PANEL = 10;
const int ROW_HEIGHT = 20;

struct InkPixel {
    int x, y;
};

}  // namespace

// Each label is first drawn alone to learn where its ink lies; after the worker has painted the
// strips and the preview has shown its picture beside the panels, all of that ink is still there.
TEST(ThreadsLabelPanels, LabelsLieInsideTheirPanelsAndOutlastThePictures) {
    g_hWnd = testViewWindow();
    g_hDC = getViewSurface(g_hWnd);
    ASSERT_NE(g_hDC, nullptr);
    ASSERT_TRUE(setTextFont(g_hDC, "Impact", 18));
    setTextColour(g_hDC, 22, 199, 35);
    drawRectangle(g_hDC, 0, 0, 1200, 272);
    for (int left : PANEL_LEFT) {
        for (const OverlayLabel& label : OVERLAY_LABELS) {
            drawText(g_hDC, left + ORIGIN_IN_PANEL, label.y, label.text);
        }
    }
    flushViewSurface(g_hDC);
    WindowReader reader(g_hWnd);
    reader.grab();
    std::vector<InkPixel> ink;
    for (int left : PANEL_LEFT) {
        for (const OverlayLabel& label : OVERLAY_LABELS) {
            int inkLeft = 1200, inkRight = -1;
            for (int y = label.y; y < label.y + ROW_HEIGHT; ++y) {
                for (int x = left - 160; x < left + 280; ++x) {
                    if (reader.isText(x, y)) {
                        ink.push_back(InkPixel{x, y});
                        inkLeft = std::min(inkLeft, x);
                        inkRight = std::max(inkRight, x);
                    }
                }
            }
            SCOPED_TRACE(label.text + 25);
            EXPECT_GE(inkLeft, left);
            EXPECT_LT(inkRight, left + PANEL_WIDTH);
            EXPECT_GT(inkRight, inkLeft) << "nothing drawn";
        }
    }

    RgbFrame frame(320, 240);
    frame.fill(0, 0, 320, 240, 20, 25, 30);
    frame.fill(40, 0, 120, 240, 240, 220, 200);
    frame.fill(200, 0, 280, 240, 240, 220, 200);
    FrameSource source(frame);
    WebCam.hWndFenetre = g_hWnd;
    WebCam.hDCFenetre = g_hDC;
    WebCam.captureSource = source.description();
    thread_signal = 0;
    startWebcamWorker();
    ASSERT_NE(WebCam.hDCCapture, nullptr);
    // A few worker passes (200 ms apart) and preview frames (300 ms apart).
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    stopWebcamWorker();
    reader.grab();
    int rgb[3];
    reader.pixel(440 + 240, 120, rgb);
    EXPECT_EQ(rgb[0] * 1000000 + rgb[1] * 1000 + rgb[2], 240220200) << "the preview is on";
    reader.pixel(240, 120, rgb);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 3 * 255) << "player 1's mask strip is painted";
    reader.pixel(960, 120, rgb);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 3 * 255) << "player 2's mask strip is painted";
    int lost = 0;
    for (const InkPixel& pixel : ink) {
        lost += reader.isText(pixel.x, pixel.y) ? 0 : 1;
    }
    EXPECT_EQ(lost, 0) << "of " << ink.size() << " label pixels";
    releaseViewSurface(g_hDC);
    g_hDC = nullptr;
    WebCam.hDCFenetre = nullptr;
}
