// The real program under Xvfb: a key press shows its sign, and the fight's overlay is in place.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/support/screenshot.h"

static const char* GAME_WINDOW = "Vantorix";
static const int START_TIMEOUT_MS = 60000;
static const int EXIT_TIMEOUT_MS = 20000;

static void pressKey(unsigned long window, const char* key) {
    std::string command = "xdotool windowfocus --sync " + std::to_string(window) + " key " + key;
    ASSERT_EQ(std::system(command.c_str()), 0);
}

class FightScreen : public ::testing::Test {
protected:
    DataCopy data;
    std::unique_ptr<RunningProgram> program;
    unsigned long window = 0;

    void SetUp() override {
        program.reset(new RunningProgram(data.path(), {"SDL_AUDIODRIVER=dummy"}));
        window = program->waitForWindow(GAME_WINDOW, START_TIMEOUT_MS);
        ASSERT_NE(window, 0u) << program->errors();
        // Let the fight run a few frames past start-up.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ASSERT_TRUE(program->running()) << program->errors();
    }

    void TearDown() override {
        if (window != 0 && program->running()) {
            pressKey(window, "Escape");
            EXPECT_EQ(program->waitForExit(EXIT_TIMEOUT_MS), 0) << program->errors();
        }
    }
};

TEST_F(FightScreen, PaperKeyRaisesThePaperIconOnTheLeftTower) {
    Screenshot before = Screenshot::ofWindow(window);
    ASSERT_EQ(before.width, 800);
    EXPECT_EQ(paperPixelsAtTopOfLeftTower(before), 0);

    pressKey(window, "x");
    // The next frames draw the icon; it fades over a few seconds, so look while it is bright.
    int found = 0;
    for (int attempt = 0; attempt < 10 && found <= 100; attempt++) {
        Screenshot after = Screenshot::ofWindow(window);
        ASSERT_EQ(after.width, 800);
        found = paperPixelsAtTopOfLeftTower(after);
    }
    EXPECT_GT(found, 100);
}

// Each bar runs from red at its left end to green at full life; beyond its end it is not drawn.
static void expectFullGreenBar(const Screenshot& shot, float left) {
    int row = overlayRow(0.78f);
    Rgb start = shot.at(overlayColumn(left) + 4, row);
    Rgb end = shot.at(overlayColumn(left + 0.5f) - 4, row);
    Rgb beyond = shot.at(overlayColumn(left + 0.5f) + 6, row);
    EXPECT_GT(start.r, 180);
    EXPECT_LT(start.g, 80);
    EXPECT_GT(end.g, 180);
    EXPECT_LT(end.r, 80);
    EXPECT_LT(end.b, 80);
    EXPECT_FALSE(beyond.g > 180 && beyond.r < 80 && beyond.b < 80);
}

TEST_F(FightScreen, LifeBarsStartFullAndGreen) {
    Screenshot shot = Screenshot::ofWindow(window);
    ASSERT_EQ(shot.width, 800);
    expectFullGreenBar(shot, -0.85f);
    expectFullGreenBar(shot, 0.35f);
}
