// The sign duel's schedule, run by the update while a duel is under way.
#ifndef VANTORIX_DUEL_H
#define VANTORIX_DUEL_H

class World;

// Game state 3: a duel is under way (2: called, 0 or 1: free fight).
const int DUEL_UNDER_WAY = 3;
const int DUEL_CALLED = 2;
const int FREE_FIGHT = 1;

// One step of the duel, keyed on player 1's move clock: countdown pictures, the three
// exchanges, and the end of the duel once either clock passes 147.
void runDuelSchedule(World& world);

#endif
