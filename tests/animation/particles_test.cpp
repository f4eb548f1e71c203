// Tests of the explosion sparks: the random draws of a burst and the flight of each spark.
#include <gtest/gtest.h>

#include <cstdlib>

#include "animation/moves.h"

namespace {

const std::vector<float> unitBurst = {1, 2, 3, 1, 1, 1};

// The value rand() gives after skipping the given number of draws from a fresh seed.
int randAfter(unsigned seed, int skipped) {
    srand(seed);
    for (int i = 0; i < skipped; i++) {
        rand();
    }
    return rand();
}

TEST(Particles, EmptyBurstAddsNothingAndDrawsNothing) {
    Moves moves;
    srand(7);
    moves.newBang(unitBurst, 0, 1);
    int next = rand();
    EXPECT_TRUE(moves.particles.empty());
    EXPECT_EQ(next, randAfter(7, 0));
}

TEST(Particles, ZeroAxisLeavesSparksAtTheOrigin) {
    Moves moves;
    srand(11);
    moves.newBang({4, 5, 6, 0, 0, 0}, 10, 2);
    int next = rand();
    EXPECT_EQ(next, randAfter(11, 10 * 7));  // every spark is slow: three pushes drawn
    RecordList after = moves.moveParticles(5);
    ASSERT_EQ(after.size(), 10u);
    for (const Record& spark : after) {
        EXPECT_EQ(spark, Record({5, 0.98f, 4, 5, 6, 0, 0, 0, 0}));
    }
}

// Replays the draws of each spark from the same seed: three spreads, the spread along the
// axis, then three pushes for a slow spark.
TEST(Particles, BurstVelocitiesFollowTheDrawsInOrder) {
    Moves moves;
    srand(3);
    moves.newBang(unitBurst, 200, 1);
    srand(3);
    ASSERT_EQ(moves.particles.size(), 200u);
    int pushed = 0;
    for (const Record& spark : moves.particles) {
        ASSERT_EQ(spark.size(), 9u);
        float r[3];
        for (float& value : r) {
            value = (float)((rand() % 800) / 100.0 - 4);
        }
        float s = (float)((rand() % 100) / 100.0 - 0.5);
        float v[3] = {r[1] - r[2] + s, r[2] - r[0] + s, r[0] - r[1] + s};
        float q = v[0] * v[0] + v[1] * v[1] + v[2] * v[2];
        float scale = q < 9 ? 7 : q < 16 ? 5 : 1;
        for (int j = 0; j < 3; j++) {
            if (q < 4) {
                v[j] = (float)(v[j] + ((rand() % 80) / 10.0 + 2));
            } else {
                v[j] *= scale;
            }
            EXPECT_FLOAT_EQ(spark[5 + j], v[j]);
        }
        pushed += q < 4;
        EXPECT_EQ(Record(spark.begin(), spark.begin() + 5), Record({0, 1, 1, 2, 3}));
        EXPECT_EQ(spark[8], 1.0f);
    }
    EXPECT_GT(pushed, 0);
}

TEST(Particles, SideFlagIsOneForPlayerOneOnly) {
    Moves moves;
    for (int player : {1, 2, 0, -1}) {
        moves.newBang(unitBurst, 1, player);
        EXPECT_EQ(moves.particles.back()[8], player == 1 ? 1.0f : 0.0f) << player;
    }
}

TEST(Particles, SparksFlyStraightAndFade) {
    Moves moves;
    moves.particles = {{0, 1, 0, 0, 0, 100, -200, 50, 1}};
    RecordList after = moves.moveParticles(5);
    EXPECT_EQ(after, moves.particles);
    EXPECT_EQ(after[0], Record({5, 0.98f, 0.5f, -1, 0.25f, 100, -200, 50, 1}));
    after = moves.moveParticles(0);  // a step of 0 only fades
    EXPECT_EQ(after[0], Record({5, (float)(0.98f * 0.98), 0.5f, -1, 0.25f, 100, -200, 50, 1}));
}

TEST(Particles, MoreThanAThousandSparksVanishAtOnce) {
    Moves moves;
    moves.particles = RecordList(1000, Record({0, 1, 0, 0, 0, 1000, 0, 0, 0}));
    RecordList after = moves.moveParticles(1);
    ASSERT_EQ(after.size(), 1000u);
    EXPECT_EQ(after[999][2], 1);
    moves.particles.push_back(Record({0, 1, 0, 0, 0, 1000, 0, 0, 0}));
    EXPECT_TRUE(moves.moveParticles(1).empty());
    EXPECT_TRUE(moves.particles.empty());
}

}  // namespace
