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

TEST_F(FightScreen, LifeBarsStartFullAndGreen) {
    Screenshot picture = shot();
    ASSERT_EQ(picture.width, 800);
    // Each bar runs from red at its left end to green at full life; beyond its end it is not drawn.
    EXPECT_TRUE(fullLifeBarAt(picture, -0.85f, PictureArea{0, 0, 800, 600}));
    EXPECT_TRUE(fullLifeBarAt(picture, 0.35f, PictureArea{0, 0, 800, 600}));
}

// Playing alone: nobody touches the keys, yet the computer's player 2 fights and player 1's
// life bar falls from full within a few seconds.
TEST(ComputerFight, TheComputerFightsAndPlayerOnesLifeFallsOnScreen) {
    RunningGame run({"--vs-computer", "hard"});
    ASSERT_TRUE(run.up()) << run.program.errors();
    const int fullLength = LEFT_LIFE_BAR.right - LEFT_LIFE_BAR.left;
    bool fell = false;
    for (int attempt = 0; attempt < 60 && !fell; attempt++) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        Screenshot shot = Screenshot::ofWindow(run.program.display(), run.gameWindow);
        ASSERT_EQ(shot.width, 800);
        fell = lifeBarLengths(shot).first < fullLength - 4;
    }
    EXPECT_TRUE(fell) << "player 1's life bar is still full";
    EXPECT_EQ(run.closeViewWindow(), 0) << run.program.errors();
}
