// The letterbox: the 4:3 picture centred in windows of every shape, never spilling out of them.
#include <gtest/gtest.h>

#include <cstdlib>

#include "render/letterbox.h"

static void expectPicture(int w, int h, int x, int y, int width, int height) {
    Letterbox box = letterbox(w, h);
    EXPECT_EQ(box.x, x) << w << "x" << h;
    EXPECT_EQ(box.y, y) << w << "x" << h;
    EXPECT_EQ(box.width, width) << w << "x" << h;
    EXPECT_EQ(box.height, height) << w << "x" << h;
}

TEST(Letterbox, KnownScreens) {
    expectPicture(800, 600, 0, 0, 800, 600);           // the design's window, filled exactly
    expectPicture(1920, 1080, 240, 0, 1440, 1080);     // a 1080p screen: bars left and right
    expectPicture(1280, 1024, 0, 32, 1280, 960);       // 5:4: bars above and below
    expectPicture(3440, 1440, 760, 0, 1920, 1440);     // ultra-wide
    expectPicture(600, 1000, 0, 275, 600, 450);        // a tall window
    expectPicture(801, 601, 0, 0, 801, 600);           // odd: the spare row stays at the top
    expectPicture(803, 600, 1, 0, 800, 600);
}

TEST(Letterbox, TinyAndEmptyWindows) {
    expectPicture(1, 1, 0, 0, 1, 1);
    expectPicture(1, 500, 0, 249, 1, 1);
    expectPicture(500, 1, 249, 0, 1, 1);
    expectPicture(0, 600, 0, 0, 0, 0);
    expectPicture(800, 0, 0, 0, 0, 0);
    expectPicture(-5, -5, 0, 0, 0, 0);
}

// Over a sweep of sizes: inside the window, centred to the pixel, 4:3 to within one pixel, and
// touching two opposite edges of the window.
TEST(Letterbox, EverySizeIsCentredAndFourByThree) {
    for (int w = 1; w <= 2000; w += 7) {
        for (int h = 1; h <= 2000; h += 11) {
            Letterbox box = letterbox(w, h);
            ASSERT_GE(box.x, 0);
            ASSERT_GE(box.y, 0);
            ASSERT_LE(box.x + box.width, w);
            ASSERT_LE(box.y + box.height, h);
            ASSERT_LE(std::abs(2 * box.x + box.width - w), 1) << w << "x" << h;
            ASSERT_LE(std::abs(2 * box.y + box.height - h), 1) << w << "x" << h;
            ASSERT_TRUE(box.width == w || box.height == h) << w << "x" << h;
            if (box.width > 1 && box.height > 1) {
                ASSERT_LE(std::abs(box.width * 3 - box.height * 4), 4) << w << "x" << h;
            }
        }
    }
    expectPicture(16384, 16384, 0, 2048, 16384, 12288);  // no overflow on huge windows
}
