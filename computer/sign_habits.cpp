// Counting the opponent's signs and weighing them for the next exchange.
#include "computer/sign_habits.h"

#include "game/codes.h"

static bool isSign(int sign) { return sign >= ROCK && sign <= SCISSORS; }

int signBeating(int sign) {
    switch (sign) {
    case ROCK: return PAPER;
    case PAPER: return SCISSORS;
    case SCISSORS: return ROCK;
    default: return ROCK;
    }
}

void SignHabits::noteShown(int sign) {
    if (isSign(sign)) {
        shown[sign]++;
    }
}

void SignHabits::noteExchange(int exchange, int previous, int sign) {
    if (!isSign(sign) || exchange < 0 || exchange >= EXCHANGES) {
        return;
    }
    played[sign]++;
    if (isSign(previous)) {
        after[previous][sign]++;
        afterInExchange[exchange][previous][sign]++;
    }
}

// Counts become weights: what a player did in this very spot counts most, what they do in
// general less, the icons they like to show least.
void SignHabits::expect(HabitReading reading, int exchange, int previous, double odds[4]) const {
    odds[NO_SIGN] = 0;
    for (int s = ROCK; s <= SCISSORS; s++) {
        odds[s] = 0.5;
    }
    if (reading == GUESSES) {
        return;
    }
    if (isSign(previous)) {
        odds[previous] += 1.0;
    }
    for (int s = ROCK; s <= SCISSORS; s++) {
        odds[s] += played[s] + 0.02 * shown[s];
        if (reading == FOLLOWS_CHAINS && isSign(previous) && exchange >= 0 && exchange < EXCHANGES) {
            odds[s] += after[previous][s] + 2.0 * afterInExchange[exchange][previous][s];
        }
    }
    double total = odds[ROCK] + odds[PAPER] + odds[SCISSORS];
    for (int s = ROCK; s <= SCISSORS; s++) {
        odds[s] /= total;
    }
}
