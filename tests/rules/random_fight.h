// A long random fight on the rules alone: both players' keys pressed at random, as the soak
// presses them in the real game, and the rules' bounds checked after every frame.
#ifndef VANTORIX_TESTS_RULES_RANDOM_FIGHT_H
#define VANTORIX_TESTS_RULES_RANDOM_FIGHT_H

#include <cstdint>
#include <string>
#include <vector>

struct RandomFightReport {
    // The first frame each kind of fault was seen in, one line each.
    std::vector<std::string> faults;
    uint32_t fingerprint = 0;
    long strikes = 0;
    long hits = 0;
    int life1 = 0;
    int life2 = 0;
};

// frames frames of random walking, signs and tower keys, the same for the same seed.
RandomFightReport playRandomFight(int frames, unsigned seed);

#endif
