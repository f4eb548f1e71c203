// Walking, pushing and the bounds of the fighting line.
#include <gtest/gtest.h>

#include "tests/rules/scenario.h"

TEST(Movement, OneKeyPressMovesOneQuarter) {
    Scenario s;
    s.play(player1(0, +1));
    EXPECT_FLOAT_EQ(s.fight.pos1, -4.75f);
    s.wait(3);  // the speed does not carry over
    EXPECT_FLOAT_EQ(s.fight.pos1, -4.75f);
    s.play(player2(0, -1));
    EXPECT_FLOAT_EQ(s.fight.pos2, 4.75f);
    FrameInputs bothWays;
    setStep(bothWays, 1, -1);
    setStep(bothWays, 2, +1);
    s.play(bothWays);
    EXPECT_FLOAT_EQ(s.fight.pos1, -5.0f);
    EXPECT_FLOAT_EQ(s.fight.pos2, 5.0f);
}

TEST(Movement, PushingSetsTheRobotsOneApartAroundTheirMidpoint) {
    Scenario s;
    s.place(0.0f, 1.04f);
    s.play(player1(0, +1));  // the next tick would leave 0.99
    EXPECT_NEAR(s.fight.pos1, 0.02f, 1e-6);
    EXPECT_NEAR(s.fight.pos2, 1.02f, 1e-6);
    s.play(player1(0, +1));  // held in contact, the pair does not move
    EXPECT_NEAR(s.fight.pos1, 0.02f, 1e-6);
    EXPECT_NEAR(s.fight.pos2, 1.02f, 1e-6);
}

TEST(Movement, SteppingTogetherFromOnePointFifteenOvershootsForOneFrame) {
    Scenario s;
    s.place(-0.575f, 0.575f);
    FrameInputs together;
    setStep(together, 1, +1);
    setStep(together, 2, -1);
    s.play(together);
    EXPECT_NEAR(s.fight.pos1, -0.325f, 1e-6);
    EXPECT_NEAR(s.fight.pos2, 0.325f, 1e-6);
    EXPECT_NEAR(s.gap(), 0.65f, 1e-6);
    s.wait(1);
    EXPECT_NEAR(s.fight.pos1, -0.5f, 1e-6);
    EXPECT_NEAR(s.fight.pos2, 0.5f, 1e-6);
}

TEST(Movement, PushingAgainstTheRightBound) {
    Scenario s;
    s.place(13.6f, 14.9f);
    s.play(player2(0, +1));
    EXPECT_FLOAT_EQ(s.fight.pos2, 15.0f);
    s.play(player1(0, +1), 4);
    EXPECT_FLOAT_EQ(s.fight.pos1, 14.0f);
    EXPECT_FLOAT_EQ(s.fight.pos2, 15.0f);
}

TEST(Movement, LeftBound) {
    Scenario s;
    s.place(-13.9f, -10.0f);
    s.play(player1(0, -1));
    EXPECT_FLOAT_EQ(s.fight.pos1, -14.0f);
}

TEST(Movement, TimerFallsByTwoPerUpdate) {
    Scenario s;
    s.wait(51);
    EXPECT_EQ(s.fight.timer, 898);
}
