// What a practised player knows of the rules from playing: the distances and how long moves last.
#ifndef VANTORIX_FIGHT_KNOWLEDGE_H
#define VANTORIX_FIGHT_KNOWLEDGE_H

// Below this gap a strike lands; below the striking range a sign strikes instead of winding up.
const float CONTACT_GAP = 2.0f;
const float STRIKE_RANGE = 4.0f;
// One press of a direction key walks this far.
const float STEP_LENGTH = 0.25f;
// Move clock ticks per update outside a duel.
const int FREE_TICKS = 5;
// Move lengths in ticks.
const int STRIKE_TICKS = 75;
const int WIND_UP_TICKS = 50;
const int SPECIAL_TICKS = 150;
const int WIND_DOWN_TICKS = 50;
// A wind-up is complete (rock releases it rather than abandoning it) from this clock on.
const int WIND_UP_COMPLETE = WIND_UP_TICKS - 2;
// A release calls a duel only against a wind-up past this clock.
const int DUEL_CALL_CLOCK = 20;
// The centre pictures that tell the duel's story: the countdown, the hit and the critical hit.
const int SLOT_COUNTDOWN = 5;
const int SLOT_HIT = 7;
const int SLOT_CRITICAL = 8;

#endif
