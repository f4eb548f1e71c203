// What a practised player knows of the rules from playing: the rules' own distances and move
// lengths (rules/timings.h), in the words the computer thinks in.
#ifndef VANTORIX_FIGHT_KNOWLEDGE_H
#define VANTORIX_FIGHT_KNOWLEDGE_H

#include "game/codes.h"
#include "rules/timings.h"

// Below this gap a strike lands; below the striking range a sign strikes instead of winding up.
const float CONTACT_GAP = DistCAC;
const float STRIKE_RANGE = DistCACL;
// One press of a direction key walks this far.
const float STEP_LENGTH = STEP_SPEED * FREE_TICK_STEP;
// Move clock ticks per update outside a duel.
const int FREE_TICKS = FREE_TICK_STEP;
// Move lengths in ticks.
const int STRIKE_TICKS = MOVE_LENGTHS[PUNCH];
const int WIND_UP_TICKS = MOVE_LENGTHS[WIND_UP];
const int SPECIAL_TICKS = MOVE_LENGTHS[SPECIAL_PAPER];
const int WIND_DOWN_TICKS = MOVE_LENGTHS[WIND_DOWN];
// A wind-up is complete (rock releases it rather than abandoning it) from this clock on.
const int WIND_UP_COMPLETE = WIND_UP_TICKS - 2;
// The duel's countdown picture; the hit and the critical hit are SLOT_HIT and SLOT_CRITICAL.
const int SLOT_COUNTDOWN = SLOT_COUNTDOWN_A;

#endif
