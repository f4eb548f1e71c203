// The real program on a 1080p screen: fullscreen letterboxed, F11 both ways, a resized window.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/running_game.h"
#include "tests/support/screenshot.h"

static const char* const SCREEN = "1920x1080x24";
// The 4:3 picture on that screen: 1440 x 1080 between two bars of 240 columns.
static const PictureArea FULLSCREEN_PICTURE = {240, 0, 1440, 1080};
static const PictureArea WINDOW_PICTURE = {0, 0, 800, 600};

// Every pixel of the bars black, down to the given row (the view window may lie lower).
static bool barsAreBlack(const Screenshot& shot, const PictureArea& picture, int rows) {
    for (int y = 0; y < rows; y++) {
        for (int x = 0; x < shot.width; x++) {
            bool inPicture = x >= picture.left && x < picture.left + picture.width && y >= picture.top &&
                             y < picture.top + picture.height;
            Rgb c = shot.at(x, y);
            if (!inPicture && c.r + c.g + c.b != 0) {
                return false;
            }
        }
    }
    return true;
}

// The Earth's map gives its land colours where red and green part; the plain grey a lost
// texture leaves shows none (nor do the blue robot and the atmosphere).
static int earthLandPixels(const Screenshot& shot, const PictureArea& p) {
    int count = 0;
    for (int y = p.top + p.height * 42 / 100; y < p.top + p.height * 58 / 100; y++) {
        for (int x = p.left + p.width * 15 / 100; x < p.left + p.width * 45 / 100; x++) {
            Rgb c = shot.at(x, y);
            count += std::abs(c.r - c.g) > 8;
        }
    }
    return count;
}

class WindowModes : public ::testing::Test {
protected:
    std::unique_ptr<RunningGame> run;

    void start(const std::vector<std::string>& arguments) {
        run.reset(new RunningGame(arguments, {}, SCREEN));
        ASSERT_TRUE(run->up()) << run->program.errors();
    }

    void TearDown() override {
        if (run && run->up() && run->program.running()) {
            run->program.tapKey(run->gameWindow, "Escape");
            EXPECT_EQ(run->program.waitForExit(EXIT_TIMEOUT_MS), 0) << run->program.errors();
        }
    }

    Screenshot screen() const { return Screenshot::ofScreen(run->program.display()); }
    Screenshot window() const { return Screenshot::ofWindow(run->program.display(), run->gameWindow); }

    // Waits (the Earth turns once in six seconds) for a picture of the shape asked for with both
    // life bars full and the Earth's land in sight; the last screenshot stays in shot.
    bool pictureShows(bool fullscreen, const PictureArea& picture, Screenshot& shot) {
        for (int waited = 0; waited < 12000; waited += 200) {
            shot = fullscreen ? screen() : window();
            bool sized = fullscreen || (shot.width == picture.width + 2 * picture.left &&
                                        shot.height == picture.height + 2 * picture.top);
            if (sized && fullLifeBarAt(shot, -0.85f, picture) && fullLifeBarAt(shot, 0.35f, picture) &&
                earthLandPixels(shot, picture) > picture.width * picture.height / 2000) {
                return true;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return false;
    }

    void expectFullscreen(const std::string& when) {
        Screenshot shot;
        EXPECT_TRUE(pictureShows(true, FULLSCREEN_PICTURE, shot)) << when;
        ASSERT_EQ(shot.width, 1920) << when;
        EXPECT_TRUE(barsAreBlack(shot, FULLSCREEN_PICTURE, 540)) << when;
        EXPECT_TRUE(run->program.keys().pointerHiddenAt(960, 300)) << when;
        if (const char* folder = std::getenv("VANTORIX_SCREENSHOTS")) {
            shot.savePng(std::string(folder) + "/fullscreen-" + when + ".png");
        }
    }
};

TEST_F(WindowModes, FullscreenLetterboxedThenF11BothWays) {
    start({"--fullscreen"});
    expectFullscreen("at-start");

    run->program.tapKey(run->gameWindow, "F11");
    Screenshot shot;
    EXPECT_TRUE(pictureShows(false, WINDOW_PICTURE, shot)) << "back in the 800 x 600 window";
    int x, y;
    run->program.keys().centreOf(run->gameWindow, x, y);
    EXPECT_FALSE(run->program.keys().pointerHiddenAt(x, y)) << "the pointer over the window";

    run->program.tapKey(run->gameWindow, "F11");
    expectFullscreen("after-f11");
}

// A window stretched wide shows the picture scaled to its height, bars left and right; one
// stretched tall, bars above and below.
TEST_F(WindowModes, AResizedWindowScalesThePicture) {
    start({"--window", "640x480"});
    // The view window out of the way, so that the game window's pixels are its own.
    run->program.keys().move(run->viewWindow, 700, 800);
    Screenshot shot;
    EXPECT_TRUE(pictureShows(false, PictureArea{0, 0, 640, 480}, shot));

    run->program.keys().resize(run->gameWindow, 1200, 600);
    run->program.keys().flush();
    PictureArea wide = {200, 0, 800, 600};
    EXPECT_TRUE(pictureShows(false, wide, shot));
    EXPECT_TRUE(barsAreBlack(shot, wide, 600));

    run->program.keys().resize(run->gameWindow, 600, 900);
    run->program.keys().flush();
    PictureArea tall = {0, 225, 600, 450};
    EXPECT_TRUE(pictureShows(false, tall, shot));
    EXPECT_TRUE(barsAreBlack(shot, tall, 900));
}
