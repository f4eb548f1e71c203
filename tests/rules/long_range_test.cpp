// The combo at long range: wind-up, abandon, release, and the lone special attack.
#include <gtest/gtest.h>

#include "tests/rules/scenario.h"

TEST(LongRange, RockAloneChangesOnlyTheLastSignAndItsIcon) {
    Scenario s;
    s.play(player1(ROCK));
    EXPECT_EQ(s.state(1), IDLE);
    EXPECT_EQ(s.move(1), REST);
    EXPECT_EQ(s.clock(1), 0);
    EXPECT_EQ(s.fight.lastSign1, ROCK);
    EXPECT_EQ(s.newestSlot(1), 2);  // "pierre.bmp"
    EXPECT_EQ(towerOf(s.fight.towers, 1).count, 1);
    EXPECT_FLOAT_EQ(s.fight.pos1, -5.0f);
    EXPECT_EQ(s.life(2), 100);
    EXPECT_TRUE(towerOf(s.fight.towers, 2).empty());

    s.play(player1(ROCK));  // a repeated sign shows nothing
    EXPECT_EQ(towerOf(s.fight.towers, 1).count, 1);
}

TEST(LongRange, RockDuringTheWindUpAbandonsIt) {
    for (int update = 2; update <= 10; update++) {
        SCOPED_TRACE(update);
        Scenario s;
        s.play(player1(PAPER));
        s.wait(update - 2);
        s.play(player1(ROCK));
        EXPECT_EQ(s.state(1), WINDING_DOWN);
        EXPECT_EQ(s.move(1), WIND_DOWN);
        s.wait(9);
        EXPECT_EQ(s.state(1), WINDING_DOWN);
        s.wait(1);
        EXPECT_EQ(s.state(1), IDLE);
        EXPECT_EQ(s.move(1), REST);
        EXPECT_EQ(s.life(2), 100);
    }
}

TEST(LongRange, WindUpIsCompleteAfterElevenUpdatesAndHeld) {
    Scenario s;
    s.play(player1(SCISSORS));
    s.wait(30);
    EXPECT_EQ(s.state(1), WINDING_UP);
    EXPECT_EQ(s.clock(1), 49);
    s.play(player1(ROCK));
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.move(1), SPECIAL_SCISSORS);
}

TEST(LongRange, RockFromTheEleventhUpdateReleasesTheSpecial) {
    Scenario s;
    s.play(player1(PAPER));
    s.wait(9);
    s.play(player1(ROCK));
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.move(1), SPECIAL_PAPER);
    EXPECT_EQ(s.clock(1), 5);
    EXPECT_EQ(s.gameState(), 0);
}

// Both bursts land on the opponent, at the opponent, with 20 sparks per step of the move id.
static void expectLoneSpecial(int windUpSign, int move) {
    Scenario s;
    s.play(player2(windUpSign));
    s.wait(9);
    s.play(player2(ROCK));
    ASSERT_EQ(s.move(2), move);
    s.wait(12);
    EXPECT_EQ(s.sparks(), 0u);
    s.wait(1);  // clock 70
    EXPECT_EQ(s.sparks(), 20u * move);
    s.wait(1);  // clock 75
    EXPECT_EQ(s.sparks(), 40u * move);
    ASSERT_EQ(s.hits.size(), 2u);
    for (const FightHit& hit : s.hits) {
        EXPECT_FLOAT_EQ(hit.x, (float)(-5.0 + 0.3));
        EXPECT_EQ(hit.player, 1);
        EXPECT_EQ(hit.move, move);
    }
    s.wait(15);  // 30 updates of the special so far
    EXPECT_EQ(s.state(2), SPECIAL);
    EXPECT_EQ(s.life(1), 100);
    s.wait(1);
    EXPECT_EQ(s.state(2), WINDING_DOWN);
    EXPECT_EQ(s.move(2), WIND_DOWN);
    EXPECT_EQ(s.life(1), 80);
    EXPECT_EQ(s.life(2), 100);
    EXPECT_FLOAT_EQ(s.fight.pos2, 5.0f);  // the lunge is drawn, the position stays
    s.wait(10);
    EXPECT_EQ(s.state(2), IDLE);
}

TEST(LongRange, LoneSpecialEndsAfterThirtyOneUpdatesAndCostsTwenty) {
    expectLoneSpecial(PAPER, 4);
    expectLoneSpecial(SCISSORS, 5);
}
