// The three levels: reaction times of about 450, 280 and 180 ms, tapping speeds, slips, and reading.
#include "computer/level.h"

LevelTraits traitsOf(Level level) {
    switch (level) {
    case EASY: return LevelTraits{"easy", 27, 9, 0.20, GUESSES, 0, 6};
    case NORMAL: return LevelTraits{"normal", 17, 6, 0.08, COUNTS_SIGNS, 30, 3};
    case HARD: return LevelTraits{"hard", 11, 5, 0.02, FOLLOWS_CHAINS, 70, 0};
    }
    return traitsOf(NORMAL);
}

bool levelNamed(const std::string& name, Level& level) {
    for (Level candidate : {EASY, NORMAL, HARD}) {
        if (name == traitsOf(candidate).name) {
            level = candidate;
            return true;
        }
    }
    return false;
}
