// The real program under Xvfb: the Earth, the stars and the lens flare as a player sees them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

struct Screen {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    const unsigned char* at(int x, int y) const { return &rgb[3 * ((size_t)y * width + x)]; }
    int brightness(int x, int y) const { return at(x, y)[0] + at(x, y)[1] + at(x, y)[2]; }
};

static bool shoot(unsigned long window, const std::string& ppmPath, Screen& screen) {
    std::string command = "import -window " + std::to_string(window) + " -depth 8 ppm:" + ppmPath;
    if (std::system(command.c_str()) != 0) {
        return false;
    }
    std::ifstream in(ppmPath, std::ios::binary);
    std::string magic;
    int maxValue = 0;
    in >> magic >> screen.width >> screen.height >> maxValue;
    in.get();
    if (magic != "P6" || maxValue != 255 || screen.width <= 0 || screen.height <= 0) {
        return false;
    }
    screen.rgb.resize((size_t)screen.width * screen.height * 3);
    in.read((char*)screen.rgb.data(), (std::streamsize)screen.rgb.size());
    return (size_t)in.gcount() == screen.rgb.size();
}

// Where the Earth stands in the 800 x 600 window with both robots at rest: a disc low on the
// left, measured on the first frame. Robot 1 stands in front of its upper left part.
static const int EARTH_X = 240, EARTH_Y = 445, EARTH_RADIUS = 160;
static const int PANELS_BOTTOM = 100;  // the life panels cover the rows above

static bool inEarth(int x, int y) {
    int dx = x - EARTH_X, dy = y - EARTH_Y;
    return dx * dx + dy * dy < EARTH_RADIUS * EARTH_RADIUS;
}

static bool inRobot1(int x, int y) { return x < 170 && y < 400; }

static int flarePixels(const Screen& s) {
    int count = 0;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            const unsigned char* p = s.at(x, y);
            count += p[0] >= 240 && p[1] >= 240 && p[2] >= 200 ? 1 : 0;
        }
    }
    return count;
}

struct EarthCount {
    int pixels = 0, ocean = 0, land = 0;
};

// Through the blue shells the ocean shows as pure deep blue, the land as red and green over blue.
static EarthCount countEarth(const Screen& s) {
    EarthCount c;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 0; x < s.width; x++) {
            if (!inEarth(x, y) || inRobot1(x, y)) {
                continue;
            }
            const unsigned char* p = s.at(x, y);
            c.pixels++;
            c.ocean += p[0] < 10 && p[1] < 20 && p[2] >= 40 ? 1 : 0;
            c.land += p[0] >= 15 && p[1] >= 15 && p[2] >= p[0] ? 1 : 0;
        }
    }
    return c;
}

// Stars are small purple points (red and blue above green) with dark sky on both sides.
static int starPixels(const Screen& s) {
    int count = 0;
    for (int y = PANELS_BOTTOM; y < s.height; y++) {
        for (int x = 2; x < s.width - 2; x++) {
            if (inEarth(x, y)) {
                continue;
            }
            const unsigned char* p = s.at(x, y);
            bool purple = p[0] > 40 && p[2] > 40 && p[0] > p[1] + 15 && p[2] > p[1] + 15;
            bool alone = s.brightness(x - 2, y) < 60 && s.brightness(x + 2, y) < 60;
            count += purple && alone ? 1 : 0;
        }
    }
    return count;
}

TEST(ProgramBackdrop, ShowsTheEarthTheStarsAndTheFlare) {
    ASSERT_EQ(access(VANTORIX_PROGRAM, X_OK), 0) << "no game program at " << VANTORIX_PROGRAM;
    DataCopy data;
    RunningProgram program(data.path(), {"SDL_AUDIODRIVER=dummy"});
    unsigned long window = program.waitForWindow("Vantorix", 60000);
    ASSERT_NE(window, 0u) << program.errors();

    // The flare swings round with the Earth's turn and is in view for part of each turn.
    std::string ppm = data.path() + "/screen.ppm";
    Screen screen;
    bool flareSeen = false;
    for (int shot = 0; shot < 300 && !flareSeen && program.running(); shot++) {
        flareSeen = shoot(window, ppm, screen) && flarePixels(screen) >= 50;
        if (!flareSeen) {
            // Grabbing the window costs the software renderer; let the game run between shots.
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
        }
    }
    ASSERT_TRUE(flareSeen) << "the lens flare never came into view\n" << program.errors();
    ASSERT_EQ(screen.width, 800);
    ASSERT_EQ(screen.height, 600);
    std::string kept = std::string(VANTORIX_TEST_TOOLS_DIR) + "/scenery-screenshot.png";
    std::system(("convert " + ppm + " " + kept).c_str());

    EarthCount earth = countEarth(screen);
    EXPECT_GT(earth.ocean, earth.pixels / 2) << "the Earth's disc is not mostly blue; see " << kept;
    EXPECT_GT(earth.land, earth.pixels / 20) << "no land shows on the Earth; see " << kept;
    EXPECT_GE(starPixels(screen), 100) << "too few stars; see " << kept;
    std::printf("flare %d, Earth %d pixels: %d ocean, %d land; star pixels %d; kept as %s\n",
                flarePixels(screen), earth.pixels, earth.ocean, earth.land, starPixels(screen),
                kept.c_str());
    EXPECT_TRUE(program.running()) << program.errors();
}
