// The sign duel's schedule, run by the update while a duel is under way.
#ifndef VANTORIX_DUEL_H
#define VANTORIX_DUEL_H

#include "game/codes.h"

class World;

// One step of the duel, keyed on player 1's move clock: countdown pictures, the three
// exchanges, and the end of the duel once either clock passes 147.
void runDuelSchedule(World& world);

#endif
