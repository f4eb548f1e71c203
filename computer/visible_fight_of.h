// The screen as a player sees it, taken from the fight value for the computer opponent.
#ifndef VANTORIX_VISIBLE_FIGHT_OF_H
#define VANTORIX_VISIBLE_FIGHT_OF_H

#include "computer/visible_fight.h"
#include "rules/fight.h"

// Positions, poses and move clocks, lives, the newest icon on each sign tower and the centre
// picture. The last signs themselves are left out: during a duel they are secret, and outside
// one a player knows them only from the icons.
VisibleFight visibleFightOf(const Fight& fight);

#endif
