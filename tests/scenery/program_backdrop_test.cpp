// The real program under Xvfb: the Earth, the stars and the lens flare as a player sees them.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/screenshot.h"

// Where the Earth stands in the 800 x 600 window with both robots at rest: a disc low on the
// left, measured on the first frame. Robot 1 stands in front of its upper left part.
static const int EARTH_X = 240, EARTH_Y = 445, EARTH_RADIUS = 160;
static const int PANELS_BOTTOM = 100;  // the life panels cover the rows above

static bool inEarth(int x, int y) {
    int dx = x - EARTH_X, dy = y - EARTH_Y;
    return dx * dx + dy * dy < EARTH_RADIUS * EARTH_RADIUS;
}

static bool inRobot1(int x, int y) { return x < 170 && y < 400; }

static int flarePixels(const Screenshot& s) {
    int count = 0;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            Rgb p = s.at(x, y);
            count += p.r >= 240 && p.g >= 240 && p.b >= 200 ? 1 : 0;
        }
    }
    return count;
}

struct EarthCount {
    int pixels = 0, ocean = 0, land = 0;
};

// Through the blue shells the ocean shows as pure deep blue, the land as red and green over blue.
static EarthCount countEarth(const Screenshot& s) {
    EarthCount c;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            if (!inEarth(x, y) || inRobot1(x, y)) {
                continue;
            }
            Rgb p = s.at(x, y);
            c.pixels++;
            c.ocean += p.r < 10 && p.g < 20 && p.b >= 40 ? 1 : 0;
            c.land += p.r >= 15 && p.g >= 15 && p.b >= p.r ? 1 : 0;
        }
    }
    return c;
}

static int brightness(const Rgb& c) { return c.r + c.g + c.b; }

// Stars are small purple points (red and blue above green) with dark sky on both sides.
static int starPixels(const Screenshot& s) {
    int count = 0;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 2; x < s.width - 2; x++) {
            if (inEarth(x, y)) {
                continue;
            }
            Rgb p = s.at(x, y);
            bool purple = p.r > 40 && p.b > 40 && p.r > p.g + 15 && p.b > p.g + 15;
            bool alone = brightness(s.at(x - 2, y)) < 60 && brightness(s.at(x + 2, y)) < 60;
            count += purple && alone ? 1 : 0;
        }
    }
    return count;
}

TEST(ProgramBackdrop, ShowsTheEarthTheStarsAndTheFlare) {
    DataCopy data;
    RunningProgram program(data.path());
    unsigned long window = program.waitForWindow(GAME_WINDOW);
    ASSERT_NE(window, 0u) << program.errors();

    // The flare swings round with the Earth's turn and is in view for part of each turn.
    Screenshot screen;
    bool flareSeen = false;
    for (int shot = 0; shot < 300 && !flareSeen && program.running(); shot++) {
        screen = Screenshot::ofWindow(program.display(), window);
        flareSeen = screen.width > 0 && flarePixels(screen) >= 50;
        if (!flareSeen) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }
    ASSERT_TRUE(flareSeen) << "the lens flare never came into view\n" << program.errors();
    ASSERT_EQ(screen.width, 800);
    ASSERT_EQ(screen.height, 600);
    std::string kept = std::string(VANTORIX_TEST_TOOLS_DIR) + "/scenery-screenshot.png";
    screen.savePng(kept);

    EarthCount earth = countEarth(screen);
    EXPECT_GT(earth.ocean, earth.pixels / 2) << "the Earth's disc is not mostly blue; see " << kept;
    EXPECT_GT(earth.land, earth.pixels / 20) << "no land shows on the Earth; see " << kept;
    EXPECT_GE(starPixels(screen), 100) << "too few stars; see " << kept;
    std::printf("flare %d, Earth %d pixels: %d ocean, %d land; star pixels %d; kept as %s\n",
                flarePixels(screen), earth.pixels, earth.ocean, earth.land, starPixels(screen),
                kept.c_str());
    EXPECT_TRUE(program.running()) << program.errors();
}
