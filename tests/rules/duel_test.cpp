// The sign duel: when it is called and taken up, its schedule, and how the exchanges score.
#include <gtest/gtest.h>

#include <vector>

#include "tests/rules/scenario.h"

// Player 1 winds up at update 1 and releases at update 11; player 2 starts winding up with
// `sign2` early enough that its clock reads `opponentClock` at the release.
static void releaseAgainstClock(Scenario& s, int opponentClock, int sign2) {
    int head = 10 - opponentClock / 5;  // updates before player 2 starts
    s.play(player1(PAPER));
    s.wait(head - 1);
    s.play(player2(sign2));
    s.wait(opponentClock / 5 - 1);
    ASSERT_EQ(s.clock(2), opponentClock);
    s.play(player1(ROCK));
}

TEST(Duel, ReleaseAgainstAClockOfTwentyIsALoneSpecial) {
    Scenario s;
    releaseAgainstClock(s, 20, PAPER);
    EXPECT_EQ(s.gameState(), 0);
    EXPECT_EQ(s.fight.tickStep, 5);
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.state(2), WINDING_UP);
}

TEST(Duel, ReleaseAgainstDifferentLastSignIsALoneSpecial) {
    Scenario s;
    releaseAgainstClock(s, 25, SCISSORS);
    EXPECT_EQ(s.gameState(), 0);
    EXPECT_EQ(s.state(2), WINDING_UP);
}

TEST(Duel, CalledByPlayerOneIsTakenUpInTheSameUpdateAndItsRockStaysSecret) {
    Scenario s;
    releaseAgainstClock(s, 25, PAPER);
    EXPECT_EQ(s.gameState(), DUEL_UNDER_WAY);
    EXPECT_EQ(s.fight.tickStep, 1);
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.state(2), SPECIAL);
    EXPECT_EQ(s.move(2), SPECIAL_PAPER);
    EXPECT_EQ(s.fight.lastSign1, ROCK);
    EXPECT_EQ(s.newestSlot(1), 3);  // still the paper icon
}

TEST(Duel, CalledByPlayerTwoIsTakenUpInTheNextUpdateAndItsRockIsShown) {
    Scenario s;
    s.play(player2(SCISSORS));
    s.wait(4);
    s.play(player1(SCISSORS));
    s.wait(4);
    s.play(player2(ROCK));
    EXPECT_EQ(s.gameState(), DUEL_CALLED);
    EXPECT_EQ(s.fight.tickStep, 5);
    EXPECT_EQ(s.state(2), SPECIAL);
    EXPECT_EQ(s.move(2), SPECIAL_SCISSORS);
    EXPECT_EQ(s.state(1), WINDING_UP);
    EXPECT_EQ(s.newestSlot(2), 2);  // "pierre.bmp" rose on player 2's tower
    s.wait(1);
    EXPECT_EQ(s.gameState(), DUEL_UNDER_WAY);
    EXPECT_EQ(s.fight.tickStep, 1);
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.move(1), SPECIAL_SCISSORS);
}

TEST(Duel, BothGivingRockTogetherPlayerTwoAbandonsAndTheScheduleFollowsPlayerOne) {
    Scenario s;
    s.play(both(PAPER, PAPER));
    s.wait(9);
    s.play(both(ROCK, ROCK));
    EXPECT_EQ(s.gameState(), DUEL_UNDER_WAY);
    EXPECT_EQ(s.fight.tickStep, 1);
    EXPECT_EQ(s.state(1), SPECIAL);
    EXPECT_EQ(s.state(2), WINDING_DOWN);
    EXPECT_EQ(s.move(2), WIND_DOWN);
    int updates = 0;
    while (s.gameState() == 3 && updates < 400) {
        s.wait(1);
        updates++;
    }
    EXPECT_EQ(s.clock(1), 148);
    EXPECT_EQ(s.fight.tickStep, 5);
    EXPECT_EQ(s.newestSlot(5), 7);  // rock against rock three times: "paf.bmp"
}

// The announcements of tower 5 in the order they appear, one per change of the newest stage.
struct DuelRun {
    std::vector<int> announcements;
    int endClock1 = -1;
    int endClock2 = -1;
};

static DuelRun runDuelToTheEnd(Scenario& s) {
    DuelRun run;
    int last = s.newestSlot(5);
    for (int update = 0; update < 400 && s.gameState() == 3; update++) {
        int before = s.fight.towers.tower5.count;
        s.wait(1);
        if (s.fight.towers.tower5.count > before || s.newestSlot(5) != last) {
            last = s.newestSlot(5);
            run.announcements.push_back(last);
        }
    }
    run.endClock1 = s.clock(1);
    run.endClock2 = s.clock(2);
    return run;
}

TEST(Duel, PaperSweepByPlayerTwo) {
    Scenario s;
    s.play(both(PAPER, PAPER));
    s.wait(9);
    s.play(player1(ROCK));
    ASSERT_EQ(s.gameState(), DUEL_UNDER_WAY);
    DuelRun run = runDuelToTheEnd(s);
    EXPECT_EQ(run.announcements, (std::vector<int>{5, 6, 5, 6, 5, 6, 8, 9}));
    EXPECT_EQ(s.fight.duelScore, -3);
    EXPECT_EQ(s.gameState(), FREE_FIGHT);
    EXPECT_EQ(s.fight.tickStep, 5);
    EXPECT_TRUE(run.endClock1 > 147 || run.endClock2 > 147);
    EXPECT_EQ(s.fight.towers.tower4.count, 3);
    EXPECT_TRUE(s.fight.towers.tower3.empty());
    EXPECT_EQ(s.life(1), 60);  // critical hit and lost duel
    EXPECT_EQ(s.life(2), 100);
    s.wait(20);  // both specials end in free play
    EXPECT_EQ(s.life(1), 40);
    EXPECT_EQ(s.life(2), 80);
    EXPECT_EQ(s.state(1), IDLE);
    EXPECT_EQ(s.state(2), IDLE);
}

TEST(Duel, ScissorsSweepByPlayerOne) {
    Scenario s;
    s.play(both(SCISSORS, SCISSORS));
    s.wait(9);
    s.play(player1(ROCK));
    DuelRun run = runDuelToTheEnd(s);
    EXPECT_EQ(run.announcements, (std::vector<int>{5, 6, 5, 6, 5, 6, 8, 10}));
    EXPECT_EQ(s.fight.duelScore, 3);
    EXPECT_EQ(s.fight.towers.tower3.count, 3);
    s.wait(20);
    EXPECT_EQ(s.life(1), 80);
    EXPECT_EQ(s.life(2), 40);
}

TEST(Duel, ThreeDrawnExchangesShowPafAndDealNoDuelDamage) {
    Scenario s;
    s.play(both(PAPER, PAPER));
    s.wait(9);
    s.play(player1(ROCK));
    s.wait(2);
    s.play(player2(ROCK));  // secret: nothing rises on tower 2
    EXPECT_EQ(s.fight.lastSign2, ROCK);
    EXPECT_EQ(s.newestSlot(2), 3);
    DuelRun run = runDuelToTheEnd(s);
    EXPECT_EQ(run.announcements, (std::vector<int>{5, 6, 5, 6, 5, 6, 7}));
    EXPECT_EQ(s.fight.duelScore, 0);
    EXPECT_TRUE(s.fight.towers.tower3.empty());
    EXPECT_TRUE(s.fight.towers.tower4.empty());
    EXPECT_EQ(s.life(1), 100);
    EXPECT_EQ(s.life(2), 100);
    s.wait(20);
    EXPECT_EQ(s.life(1), 80);
    EXPECT_EQ(s.life(2), 80);
}

TEST(Duel, MixedExchangesRevealBothSignsAndTheLeaderWins) {
    Scenario s;
    s.play(both(PAPER, PAPER));
    s.wait(9);
    s.play(player1(ROCK));  // clock1 5; exchanges at 50, 90, 130
    s.wait(40);             // clock1 45
    s.play(player1(SCISSORS));
    s.wait(4);              // first exchange: scissors beats paper
    EXPECT_EQ(s.fight.duelScore, 1);
    EXPECT_EQ(s.newestSlot(1), 4);
    EXPECT_EQ(s.newestSlot(2), 3);
    EXPECT_EQ(s.newestSlot(3), 11);
    s.play(player2(ROCK));  // the next two: rock beats scissors
    DuelRun run = runDuelToTheEnd(s);
    EXPECT_EQ(s.fight.duelScore, -1);
    EXPECT_EQ(run.announcements.back(), 9);
    EXPECT_EQ(run.announcements[run.announcements.size() - 2], 7);
    EXPECT_EQ(s.life(1), 80);
    EXPECT_EQ(s.life(2), 100);
}

TEST(Duel, SolveBattle) {
    Scenario s;
    const int expected[4][4] = {{0, 2, 2, 2}, {2, 0, 2, 1}, {2, 1, 0, 2}, {2, 2, 1, 0}};
    for (int a = 0; a < 4; a++) {
        for (int b = 0; b < 4; b++) {
            EXPECT_EQ(solveBattle(a, b), expected[a][b]) << a << " against " << b;
        }
    }
}

TEST(Duel, LivesFallBelowZeroAndPlayGoesOn) {
    Scenario s;
    s.place(-0.75f, 0.75f);
    for (int round = 0; round < 12; round++) {
        s.play(player1(round % 2 == 0 ? SCISSORS : PAPER));
        s.wait(15);
    }
    EXPECT_EQ(s.life(2), 100 - 6 * 10 - 6 * 5);
    for (int round = 0; round < 4; round++) {
        s.play(player1(round % 2 == 0 ? SCISSORS : PAPER));
        s.wait(15);
    }
    EXPECT_LT(s.life(2), 0);
    s.play(player1(SCISSORS));
    EXPECT_EQ(s.state(1), STRIKING);
}
