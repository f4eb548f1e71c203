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

// What the players see as a fight starts: the robots far apart and still, full lives, no move
// under way, the countdown ahead and the towers empty.
TEST(Movement, AFightStartsFarApartWithFullLivesAndNothingUnderWay) {
    Fight f = startingFight();
    EXPECT_FLOAT_EQ(f.pos1, -5.0f);
    EXPECT_FLOAT_EQ(f.pos2, 5.0f);
    EXPECT_EQ(f.speed1 + f.speed2, 0.0f);
    EXPECT_EQ(f.life1, 100);
    EXPECT_EQ(f.life2, 100);
    EXPECT_EQ(f.clock1 + f.clock2 + f.duelScore + f.lastSign1 + f.lastSign2, 0);
    EXPECT_EQ(f.timer, 1000);
    EXPECT_EQ(f.game.getPstate(1) + f.game.getPmove(1) + f.game.getPstate(2) + f.game.getPmove(2), 0);
    EXPECT_EQ(f.towers.tower1.count + f.towers.tower2.count + f.towers.tower3.count +
                  f.towers.tower4.count + f.towers.tower5.count, 0);
    // Any player number other than 1 stands for player 2.
    f.game.setPstate(7, SPECIAL);
    EXPECT_EQ(f.game.getPstate(2), SPECIAL);
    EXPECT_EQ(f.game.getPstate(1), IDLE);
}
