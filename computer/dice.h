// The computer's own dice: a small generator of its own, seeded by whoever seats it, so that the
// game's random numbers are neither read nor disturbed and a fight replays the same.
#ifndef VANTORIX_DICE_H
#define VANTORIX_DICE_H

#include <cstdint>

class Dice {
public:
    explicit Dice(uint32_t seed) : state(seed != 0 ? seed : 0x9E3779B9u) {}
    // 0 to sides - 1.
    int roll(int sides) { return (int)(next() % (uint32_t)sides); }
    // True with the given chance.
    bool chance(double p) { return next() < p * 4294967296.0; }

private:
    uint32_t state;
    uint32_t next() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }
};

#endif
