// Without a camera the real program's view window says that the keyboard plays, and says it again
// whenever the window's picture is lost.
#include <gtest/gtest.h>
// After the test framework: Xlib defines macros such as None that clash with it.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

static const int START_TIMEOUT_MS = 60000;

struct WindowPixels {
    int black = 0;
    int white = 0;
    int text = 0;  // the overlay's green, or a blend of it with black at a glyph's edge
};

static WindowPixels countPixels(Display* display, Window window) {
    WindowPixels counts;
    XImage* image = XGetImage(display, window, 0, 0, 1200, 272, AllPlanes, ZPixmap);
    if (image == nullptr) {
        return counts;
    }
    for (int y = 0; y < 272; y++) {
        for (int x = 0; x < 1200; x++) {
            unsigned long pixel = XGetPixel(image, x, y);
            int r = (int)((pixel >> 16) & 0xff), g = (int)((pixel >> 8) & 0xff), b = (int)(pixel & 0xff);
            if (r == 0 && g == 0 && b == 0) {
                counts.black++;
            } else if (r == 255 && g == 255 && b == 255) {
                counts.white++;
            } else if (g > 60 && g > 3 * r && g > 3 * b) {
                counts.text++;
            }
        }
    }
    XDestroyImage(image);
    return counts;
}

// Polls until the window shows the notice: a black ground with some lines of green text.
static WindowPixels waitForNotice(Display* display, Window window) {
    WindowPixels counts;
    for (int waited = 0; waited < 10000; waited += 100) {
        counts = countPixels(display, window);
        if (counts.text > 2000 && counts.black > 1200 * 272 / 2) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return counts;
}

TEST(KeyboardNotice, WithoutACameraTheViewWindowNamesTheKeysAndRepaintsThem) {
    DataCopy data;
    RunningProgram program(data.path(), {}, {"--camera", "/dev/nonexistent-camera"});
    unsigned long view = program.waitForWindow("Vantorix webcam", START_TIMEOUT_MS);
    ASSERT_NE(view, 0u) << program.errors();
    Display* display = XOpenDisplay(NULL);
    ASSERT_NE(display, nullptr);

    WindowPixels shown = waitForNotice(display, (Window)view);
    EXPECT_GT(shown.text, 2000) << program.errors();
    EXPECT_EQ(shown.white, 0);

    // Wiping the window to its white ground sends it an exposure: the notice comes back.
    XClearArea(display, (Window)view, 0, 0, 0, 0, True);
    XSync(display, False);
    WindowPixels again = waitForNotice(display, (Window)view);
    EXPECT_GT(again.text, 2000);
    EXPECT_EQ(again.white, 0);

    XCloseDisplay(display);
    EXPECT_TRUE(program.running()) << program.errors();
}
