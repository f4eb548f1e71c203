// What a player sees of the fight on screen, the only thing the computer opponent is given.
#ifndef VANTORIX_VISIBLE_FIGHT_H
#define VANTORIX_VISIBLE_FIGHT_H

#include "game/codes.h"

// One robot as the screen shows it: where it stands, the pose it is in and how far into its move,
// its life bar, and the newest sign icon on its tower.
struct VisibleRobot {
    float pos = 0;
    int state = IDLE;
    int move = REST;
    int clock = 0;
    int life = 100;
    // The sign of the newest icon on the robot's tower, NO_SIGN while the tower is empty; during a
    // duel a sign rises only when an exchange reveals it.
    int shownSign = NO_SIGN;
    // Updates since that icon rose: 0 in the frame right after it appeared, -1 with no icon.
    int shownSignAge = -1;
};

// The centre announcement shows nothing.
const int NO_ANNOUNCEMENT = -1;

// The whole screen: both robots (player 1 first), the duel's slow motion and countdown, and the
// picture in the centre (its texture slot) with whether it appeared in the last update.
struct VisibleFight {
    VisibleRobot robots[2];
    bool duelUnderWay = false;
    int announcement = NO_ANNOUNCEMENT;
    bool announcementNew = false;
};

bool operator==(const VisibleFight& a, const VisibleFight& b);

#endif
