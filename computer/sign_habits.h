// What the computer has learnt of the opponent's signs: the icons they showed, and the signs they
// played in duel exchanges as far as the screen told (revealed, or equal to its own on a draw).
#ifndef VANTORIX_SIGN_HABITS_H
#define VANTORIX_SIGN_HABITS_H

#include "computer/level.h"

// A duel has three exchanges.
const int EXCHANGES = 3;

class SignHabits {
public:
    // An icon rose on the opponent's tower outside a duel.
    void noteShown(int sign);
    // In exchange `exchange` (0 to 2) the opponent played `sign`, having held `previous` before it.
    void noteExchange(int exchange, int previous, int sign);

    // How likely each sign (index = sign code, 0 unused) is for the opponent in this exchange,
    // as this way of reading sees it. Before anything is learnt, a player keeps the sign held.
    void expect(HabitReading reading, int exchange, int previous, double odds[4]) const;

private:
    int shown[4] = {0, 0, 0, 0};
    int played[4] = {0, 0, 0, 0};
    int after[4][4] = {};
    int afterInExchange[EXCHANGES][4][4] = {};
};

// The sign that beats the given one.
int signBeating(int sign);

#endif
