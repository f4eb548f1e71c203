// Without a camera the real program's view window says that the keyboard plays, and says it again
// whenever the window's picture is lost.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/running_game.h"
#include "tests/support/screenshot.h"
// After the test framework: Xlib defines macros such as None that clash with it.
#include <X11/Xlib.h>

struct WindowPixels {
    int black = 0;
    int white = 0;
    int text = 0;  // the overlay's green, or a blend of it with black at a glyph's edge
};

static WindowPixels countPixels(const Screenshot& shot) {
    WindowPixels counts;
    for (int y = 0; y < shot.height; y++) {
        for (int x = 0; x < shot.width; x++) {
            Rgb c = shot.at(x, y);
            if (c.r == 0 && c.g == 0 && c.b == 0) {
                counts.black++;
            } else if (c.r == 255 && c.g == 255 && c.b == 255) {
                counts.white++;
            } else if (c.g > 60 && c.g > 3 * c.r && c.g > 3 * c.b) {
                counts.text++;
            }
        }
    }
    return counts;
}

// Polls until the window shows the notice: a black ground with some lines of green text.
static WindowPixels waitForNotice(const RunningGame& run) {
    WindowPixels counts;
    for (int waited = 0; waited < 10000; waited += 100) {
        Screenshot shot = Screenshot::ofWindow(run.program.display(), run.viewWindow);
        counts = countPixels(shot);
        if (counts.text > 2000 && counts.black > shot.width * shot.height / 2) {
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return counts;
}

TEST(KeyboardNotice, WithoutACameraTheViewWindowNamesTheKeysAndRepaintsThem) {
    RunningGame run({"--camera", "/dev/nonexistent-camera"});
    ASSERT_TRUE(run.up()) << run.program.errors();

    WindowPixels shown = waitForNotice(run);
    EXPECT_GT(shown.text, 2000) << run.program.errors();
    EXPECT_EQ(shown.white, 0);

    // Wiping the window to its white ground sends it an exposure: the notice comes back.
    Display* display = XOpenDisplay(run.program.display().name().c_str());
    ASSERT_NE(display, nullptr);
    XClearArea(display, (Window)run.viewWindow, 0, 0, 0, 0, True);
    XSync(display, False);
    XCloseDisplay(display);
    WindowPixels again = waitForNotice(run);
    EXPECT_GT(again.text, 2000);
    EXPECT_EQ(again.white, 0);
    EXPECT_TRUE(run.program.running()) << run.program.errors();
}
