// The real program: a key press shows its sign, and the fight's overlay is in place.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "tests/support/running_game.h"
#include "tests/support/screenshot.h"

class FightScreen : public ::testing::Test {
protected:
    std::unique_ptr<RunningGame> run;

    void SetUp() override {
        run.reset(new RunningGame());
        ASSERT_TRUE(run->up()) << run->program.errors();
        // Let the fight run a few frames past start-up.
        std::this_thread::sleep_for(std::chrono::milliseconds(1500));
        ASSERT_TRUE(run->program.running()) << run->program.errors();
    }

    void TearDown() override {
        if (run->up() && run->program.running()) {
            run->program.tapKey(run->gameWindow, "Escape");
            EXPECT_EQ(run->program.waitForExit(EXIT_TIMEOUT_MS), 0) << run->program.errors();
        }
    }

    Screenshot shot() const { return Screenshot::ofWindow(run->program.display(), run->gameWindow); }
};

TEST_F(FightScreen, PaperKeyRaisesThePaperIconOnTheLeftTower) {
    Screenshot before = shot();
    ASSERT_EQ(before.width, 800);
    EXPECT_EQ(paperPixelsAtTopOfLeftTower(before), 0);
    EXPECT_TRUE(paperKeyShowsItsIcon(run->program, run->gameWindow));
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
    Screenshot picture = shot();
    ASSERT_EQ(picture.width, 800);
    expectFullGreenBar(picture, -0.85f);
    expectFullGreenBar(picture, 0.35f);
}

// Playing alone: nobody touches the keys, yet the computer's player 2 fights and player 1's
// life bar falls from full within a few seconds.
TEST(ComputerFight, TheComputerFightsAndPlayerOnesLifeFallsOnScreen) {
    RunningGame run({"--vs-computer", "hard"});
    ASSERT_TRUE(run.up()) << run.program.errors();
    int fullEnd = overlayColumn(-0.85f + 0.5f) - 4;
    int row = overlayRow(0.78f);
    bool fell = false;
    for (int attempt = 0; attempt < 60 && !fell; attempt++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Screenshot shot = Screenshot::ofWindow(run.program.display(), run.gameWindow);
        ASSERT_EQ(shot.width, 800);
        Rgb end = shot.at(fullEnd, row);
        fell = !(end.g > 180 && end.r < 80);
    }
    EXPECT_TRUE(fell) << "player 1's life bar is still full";
    EXPECT_EQ(run.closeViewWindow(), 0) << run.program.errors();
}
