// Strikes at close range: which sign punches, when it hurts, and how long it lasts.
#include <gtest/gtest.h>

#include "tests/rules/scenario.h"

TEST(CloseRange, PaperTwiceInARowPunchesOnce) {
    Scenario s;
    s.place(-0.75f, 0.75f);  // in contact
    s.play(player1(PAPER));
    EXPECT_EQ(s.state(1), STRIKING);
    EXPECT_EQ(s.move(1), PUNCH);
    EXPECT_EQ(s.life(2), 95);
    EXPECT_EQ(s.sparks(), 20u);
    s.wait(15);
    ASSERT_EQ(s.state(1), IDLE);

    // Repeating the last sign enters and leaves the strike state in one update, harmlessly.
    s.play(player1(PAPER));
    EXPECT_EQ(s.state(1), IDLE);
    EXPECT_EQ(s.move(1), REST);
    EXPECT_EQ(s.life(2), 95);
    EXPECT_EQ(s.sparks(), 20u);
}

TEST(CloseRange, PaperRockPaperPunchesTwice) {
    Scenario s;
    s.place(-0.75f, 0.75f);
    s.play(player1(PAPER));
    s.wait(15);
    s.play(player1(ROCK));
    EXPECT_EQ(s.state(1), IDLE);
    EXPECT_EQ(s.fight.lastSign1, ROCK);
    s.play(player1(PAPER));
    EXPECT_EQ(s.move(1), PUNCH);
    EXPECT_EQ(s.life(2), 90);
    EXPECT_EQ(s.life(1), 100);
}

TEST(CloseRange, StrikeLastsSixteenUpdates) {
    Scenario s;
    s.place(-1.5f, 1.5f);
    s.play(player1(PAPER));
    s.wait(14);
    EXPECT_EQ(s.state(1), STRIKING);
    EXPECT_EQ(s.clock(1), 75);
    s.wait(1);
    EXPECT_EQ(s.state(1), IDLE);
    EXPECT_EQ(s.move(1), REST);
    EXPECT_EQ(s.clock(1), 0);
}

TEST(CloseRange, GapOfExactlyFourIsLongRange) {
    Scenario s;
    s.place(-2.0f, 2.0f);
    s.play(player2(SCISSORS));
    EXPECT_EQ(s.state(2), WINDING_UP);
    EXPECT_EQ(s.move(2), WIND_UP);

    Scenario near;
    near.place(-1.875f, 1.875f);
    near.play(player2(SCISSORS));
    EXPECT_EQ(near.state(2), STRIKING);
    EXPECT_EQ(near.move(2), HEAD_PUNCH);
    EXPECT_EQ(near.life(1), 100);  // out of contact
}

TEST(CloseRange, StrikeAtExactlyTwoHurtsNobody) {
    Scenario s;
    s.place(-1.0f, 1.0f);
    s.play(player1(SCISSORS));
    EXPECT_EQ(s.move(1), HEAD_PUNCH);
    EXPECT_EQ(s.life(2), 100);
    EXPECT_EQ(s.sparks(), 0u);
}

TEST(CloseRange, HeadPunchInContactCostsTenWithFortySparksOnTheVictim) {
    Scenario s;
    s.place(0.0f, 1.5f);
    s.play(player2(SCISSORS));
    EXPECT_EQ(s.life(1), 90);
    ASSERT_EQ(s.sparks(), 40u);
    ASSERT_EQ(s.hits.size(), 1u);
    EXPECT_FLOAT_EQ(s.hits[0].x, 0.3f);  // pos1 + 0.3
    EXPECT_EQ(s.hits[0].player, 1);      // the burst is on player 1
}

TEST(CloseRange, SignAndStepInOneFrameBothCount) {
    Scenario s;
    s.place(-1.5f, 1.5f);
    s.play(player1(PAPER, +1));
    EXPECT_EQ(s.state(1), STRIKING);
    EXPECT_FLOAT_EQ(s.fight.pos1, -1.25f);
    s.play(player1(0, +1));  // a striking player does not walk
    EXPECT_FLOAT_EQ(s.fight.pos1, -1.25f);
}
