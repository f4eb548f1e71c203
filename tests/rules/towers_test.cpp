// Tests of the message towers: stages, ageing and the trimming rule of each tower.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "rules/towers.h"

namespace {

void ageBy(Towers& towers, int updates) {
    for (int i = 0; i < updates; i++) {
        moveTower(towers, 1);
    }
}

// Age, opacity and slot of every stage, oldest first.
std::vector<std::vector<float> > stagesOf(const Tower& tower) {
    std::vector<std::vector<float> > stages;
    for (int k = 0; k < tower.count; k++) {
        const Stage& s = tower.stages[k];
        stages.push_back({(float)s.age, s.opacity, (float)s.slot});
    }
    return stages;
}

typedef std::vector<std::vector<float> > Stages;

TEST(Towers, UnknownTowerNumbersMeanTheAnnouncement) {
    Towers towers;
    addStage(towers, 0, 7);
    addStage(towers, 6, 8);
    addStage(towers, -1, 9);
    EXPECT_EQ(stagesOf(towers.tower5), Stages({{0, 1, 7}, {0, 1, 8}, {0, 1, 9}}));
    EXPECT_EQ(&towerOf(towers, 0), &towers.tower5);
    EXPECT_EQ(&towerOf(towers, 6), &towers.tower5);
    EXPECT_EQ(&towerOf(towers, -1), &towers.tower5);
    EXPECT_TRUE(towerOf(towers, 1).empty());
    addStage(towers, 2, 3);
    EXPECT_EQ(stagesOf(towerOf(towers, 2)), Stages({{0, 1, 3}}));
}

TEST(Towers, SignsLiveThreeHundredAndOneUpdates) {
    Towers towers;
    addStage(towers, 1, 3);
    addStage(towers, 2, 4);
    ageBy(towers, 301);
    ASSERT_EQ(towers.tower1.count, 1);
    EXPECT_EQ(towers.tower1.stages[0].age, 301);
    EXPECT_NEAR(towers.tower1.stages[0].opacity, std::pow(0.98, 301), 1e-5);
    EXPECT_EQ(towers.tower1.stages[0].slot, 3);
    EXPECT_EQ(towers.tower2.count, 1);
    ageBy(towers, 1);
    EXPECT_TRUE(towers.tower1.empty());
    EXPECT_TRUE(towers.tower2.empty());

    addStage(towers, 1, 2);
    moveTower(towers, 5);
    EXPECT_EQ(towers.tower1.stages[0].age, 5);
}

// A new sign every update is the most a sign tower is ever given: it stays within the array.
TEST(Towers, ASignEveryUpdateFitsAndAFullTowerDropsItsOldest) {
    Towers towers;
    for (int update = 0; update < 1000; update++) {
        moveTower(towers, 1);
        addStage(towers, 1, 2 + update % 3);
    }
    EXPECT_EQ(towers.tower1.count, 302);
    EXPECT_EQ(towers.tower1.stages[0].age, 301);
    for (int i = 0; i < TOWER_CAPACITY + 5; i++) {
        addStage(towers, 3, i % 12);
    }
    EXPECT_EQ(towers.tower3.count, TOWER_CAPACITY);
    EXPECT_EQ(towers.tower3.stages[0].slot, 5);
    EXPECT_EQ(towers.tower3.newest().slot, (TOWER_CAPACITY + 4) % 12);
}

TEST(Towers, AFourthDuelMarkClearsTheThreeBefore) {
    for (int tower : {3, 4}) {
        SCOPED_TRACE(tower);
        Towers towers;
        for (int i = 0; i < 4; i++) {
            addStage(towers, tower, 11 - i);
        }
        moveTower(towers, 1);
        const Tower& left = towerOf(towers, tower);
        ASSERT_EQ(left.count, 1);
        EXPECT_EQ(left.stages[0].slot, 8);
        EXPECT_EQ(left.stages[0].age, 1);
    }
}

// Tower 3 removes by age before it counts, tower 4 counts first.
TEST(Towers, OldDuelMarkGoesByAgeOnlyInTowerThree) {
    Towers towers;
    addStage(towers, 3, 1);
    addStage(towers, 4, 1);
    moveTower(towers, 301);  // the first marks are now 301 old
    for (int i = 0; i < 3; i++) {
        addStage(towers, 3, 11);
        addStage(towers, 4, 11);
    }
    moveTower(towers, 1);
    EXPECT_EQ(stagesOf(towers.tower3), Stages(3, {1, 0.98f, 11}));
    EXPECT_EQ(stagesOf(towers.tower4), Stages(1, {1, 0.98f, 11}));
}

TEST(Towers, AnnouncementsReplaceEachOtherAndOnlyFade) {
    Towers towers;
    addStage(towers, 5, 7);
    addStage(towers, 5, 8);
    addStage(towers, 5, 9);
    moveTower(towers, 1);
    EXPECT_EQ(towers.tower5.count, 2);
    moveTower(towers, 1);
    ASSERT_EQ(towers.tower5.count, 1);
    EXPECT_EQ(towers.tower5.stages[0].slot, 9);
    EXPECT_EQ(towers.tower5.stages[0].age, 0);
    EXPECT_FLOAT_EQ(towers.tower5.stages[0].opacity, 0.81f);
    moveTower(towers, 10);
    EXPECT_EQ(towers.tower5.stages[0].age, 0);
    EXPECT_FLOAT_EQ(towers.tower5.stages[0].opacity, 0.729f);
}

}  // namespace
