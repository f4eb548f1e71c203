// The computer opponent's three levels and what sets them apart.
#ifndef VANTORIX_COMPUTER_LEVEL_H
#define VANTORIX_COMPUTER_LEVEL_H

#include <string>

enum Level { EASY, NORMAL, HARD };

// How habits are read before a duel's exchange.
enum HabitReading {
    GUESSES,         // no reading: any sign
    COUNTS_SIGNS,    // how often the opponent showed each sign
    FOLLOWS_CHAINS,  // which sign follows which, exchange by exchange
};

struct LevelTraits {
    const char* name;
    // Frames between something appearing on screen and the computer acting on it (60 a second).
    int reactionFrames;
    // Least frames between two key presses: nobody taps faster than this.
    int pressInterval;
    // Chance that a key press goes wrong: a hesitation or a sign the computer did not mean.
    double mistakeRate;
    HabitReading habits;
    // Frames a complete wind-up may be held waiting for the opponent to wind up too, when a duel
    // looks worth it.
    int duelPatienceFrames;
    // Frames it takes to notice that its own robot's move has ended: a player knows what they
    // pressed, and a practised one knows how long each move lasts.
    int ownDelayFrames;
};

LevelTraits traitsOf(Level level);

// "easy", "normal" or "hard"; false for anything else.
bool levelNamed(const std::string& name, Level& level);

#endif
