// The fight as one plain value: everything the rules read and write from frame to frame. Saving
// it is a copy, and nothing in it points anywhere.
#ifndef VANTORIX_FIGHT_H
#define VANTORIX_FIGHT_H

#include "rules/Game.h"
#include "rules/towers.h"

struct Fight {
    float pos1 = 0;
    float speed1 = 0;
    float pos2 = 0;
    float speed2 = 0;
    int clock1 = 0;
    int clock2 = 0;
    int duelScore = 0;
    int tickStep = 0;
    // The start-up countdown that holds back the webcam input.
    int timer = 0;
    int lastSign1 = 0;
    int lastSign2 = 0;
    int life1 = 0;
    int life2 = 0;
    Game game;
    // The towers' stages are raised by the rules (signs, duel marks, announcements) and read by
    // them (the computer opponent's view), so they belong to the fight.
    Towers towers;
};

// The fight as it starts: far apart, full lives, the countdown ahead, empty towers.
Fight startingFight();

#endif
