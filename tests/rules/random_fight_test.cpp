// Ten minutes of random fight, three times, on the rules alone.
#include <gtest/gtest.h>

#include "tests/rules/random_fight.h"

TEST(RandomFight, TenMinutesOfRandomKeysKeepTheRulesBoundsAndPlayTheSameTwice) {
    const int TEN_MINUTES = 10 * 60 * 60;
    for (unsigned seed = 1; seed <= 3; seed++) {
        RandomFightReport report = playRandomFight(TEN_MINUTES, seed);
        for (const std::string& fault : report.faults) {
            ADD_FAILURE() << "seed " << seed << ", " << fault;
        }
        EXPECT_GT(report.hits, 100) << "seed " << seed << ": the fight had too few hits";
        EXPECT_LT(report.life1 + report.life2, 200) << "seed " << seed;
        EXPECT_EQ(report.fingerprint, playRandomFight(TEN_MINUTES, seed).fingerprint) << "seed " << seed;
    }
}
