// Tests of the message towers: stages, ageing and the trimming rule of each tower.
#include <gtest/gtest.h>

#include <cmath>

#include "animation/moves.h"

namespace {

void ageBy(Moves& moves, int updates) {
    for (int i = 0; i < updates; i++) {
        moves.moveTower(1);
    }
}

TEST(Towers, UnknownTowerNumbersMeanTheAnnouncement) {
    Moves moves;
    moves.addStage(0, 7);
    moves.addStage(6, 8);
    moves.addStage(-1, 9);
    EXPECT_EQ(moves.tower5, RecordList({{0, 1, 7}, {0, 1, 8}, {0, 1, 9}}));
    EXPECT_EQ(moves.getTower(0), moves.tower5);
    EXPECT_EQ(moves.getTower(6), moves.tower5);
    EXPECT_EQ(moves.getTower(-1), moves.tower5);
    EXPECT_TRUE(moves.getTower(1).empty());
    moves.addStage(2, 3);
    EXPECT_EQ(moves.getTower(2), RecordList({{0, 1, 3}}));
}

TEST(Towers, SignsLiveThreeHundredAndOneUpdates) {
    Moves moves;
    moves.addStage(1, 3);
    moves.addStage(2, 4);
    ageBy(moves, 301);
    ASSERT_EQ(moves.tower1.size(), 1u);
    EXPECT_EQ(moves.tower1[0][0], 301);
    EXPECT_NEAR(moves.tower1[0][1], std::pow(0.98, 301), 1e-5);
    EXPECT_EQ(moves.tower1[0][2], 3);
    EXPECT_EQ(moves.tower2.size(), 1u);
    ageBy(moves, 1);
    EXPECT_TRUE(moves.tower1.empty());
    EXPECT_TRUE(moves.tower2.empty());

    moves.addStage(1, 2);
    moves.moveTower(5);
    EXPECT_EQ(moves.tower1[0][0], 5);
}

TEST(Towers, AFourthDuelMarkClearsTheThreeBefore) {
    for (int tower : {3, 4}) {
        SCOPED_TRACE(tower);
        Moves moves;
        for (int i = 0; i < 4; i++) {
            moves.addStage(tower, 11 - i);
        }
        moves.moveTower(1);
        RecordList left = moves.getTower(tower);
        ASSERT_EQ(left.size(), 1u);
        EXPECT_EQ(left[0][2], 8);
        EXPECT_EQ(left[0][0], 1);
    }
}

// Tower 3 removes by age before it counts, tower 4 counts first.
TEST(Towers, OldDuelMarkGoesByAgeOnlyInTowerThree) {
    Moves moves;
    moves.addStage(3, 1);
    moves.addStage(4, 1);
    moves.moveTower(301);  // the first marks are now 301 old
    for (int i = 0; i < 3; i++) {
        moves.addStage(3, 11);
        moves.addStage(4, 11);
    }
    moves.moveTower(1);
    EXPECT_EQ(moves.tower3, RecordList(3, Record({1, 0.98f, 11})));
    EXPECT_EQ(moves.tower4, RecordList(1, Record({1, 0.98f, 11})));
}

TEST(Towers, AnnouncementsReplaceEachOtherAndOnlyFade) {
    Moves moves;
    moves.addStage(5, 7);
    moves.addStage(5, 8);
    moves.addStage(5, 9);
    moves.moveTower(1);
    EXPECT_EQ(moves.tower5.size(), 2u);
    moves.moveTower(1);
    ASSERT_EQ(moves.tower5.size(), 1u);
    EXPECT_EQ(moves.tower5[0][2], 9);
    EXPECT_EQ(moves.tower5[0][0], 0);
    EXPECT_FLOAT_EQ(moves.tower5[0][1], 0.81f);
    moves.moveTower(10);
    EXPECT_EQ(moves.tower5[0][0], 0);
    EXPECT_FLOAT_EQ(moves.tower5[0][1], 0.729f);
}

}  // namespace
