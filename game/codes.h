// The fight's shared vocabulary: sign codes, player states, move ids and game states, with the
// int values the rules, the webcam analysis, the tools and the tests all speak.
#ifndef VANTORIX_CODES_H
#define VANTORIX_CODES_H

// Sign codes.
const int NO_SIGN = 0;
const int ROCK = 1;
const int PAPER = 2;
const int SCISSORS = 3;

// The texture slot of a sign's icon.
inline int signSlot(int sign) { return sign + 1; }

// The message towers: each player's signs, each player's duel marks, the announcements.
const int TOWER_SIGNS1 = 1;
const int TOWER_SIGNS2 = 2;
const int TOWER_MARKS1 = 3;
const int TOWER_MARKS2 = 4;
const int TOWER_ANNOUNCEMENTS = 5;

// Player states.
const int IDLE = 0;
const int STRIKING = 1;
const int WINDING_UP = 2;
const int WIND_DOWN_ORDERED = 3;
const int SPECIAL = 4;
const int WINDING_DOWN = 5;

// Move ids, as the motion library numbers them.
const int REST = 0;
const int PUNCH = 1;
const int HEAD_PUNCH = 2;
const int WIND_UP = 3;
const int SPECIAL_PAPER = 4;
const int SPECIAL_SCISSORS = 5;
const int WIND_DOWN = 6;

// Game states: 0 and 1 are both the free fight.
const int FREE_FIGHT = 1;
const int DUEL_CALLED = 2;
const int DUEL_UNDER_WAY = 3;

#endif
