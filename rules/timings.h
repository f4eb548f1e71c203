// The fight's distances and move timings, read by the rules and by the computer opponent; the
// motion library's key frames are checked against the move lengths when they load.
#ifndef VANTORIX_TIMINGS_H
#define VANTORIX_TIMINGS_H

// Below this gap a strike lands; below the striking range a sign strikes instead of winding up.
const float DistCAC = 2.0f;
const float DistCACL = 4.0f;
// The robots never stand closer than this.
const float limiteContactRobots = 1.0f;
// A walking key's speed; a step moves it times the tick step.
const float STEP_SPEED = 0.05f;

// Move clock ticks per update outside a duel, and during one (slow motion).
const int FREE_TICK_STEP = 5;
const int DUEL_TICK_STEP = 1;
// The opponent's wind-up must be past this clock for a release to call a duel.
const int DUEL_CALL_CLOCK = 20;
// The duel ends as soon as either move clock passes this, a little before the specials end.
const int DUEL_LAST_CLOCK = 147;

// Each move's length in ticks of its clock, by move id (REST to WIND_DOWN): the last key frame
// of the move in the motion library.
const int MOVE_COUNT = 7;
const int MOVE_LENGTHS[MOVE_COUNT] = {0, 75, 75, 50, 150, 150, 50};

inline int moveLength(int move) { return move >= 0 && move < MOVE_COUNT ? MOVE_LENGTHS[move] : 0; }

// Texture slots of the duel's pictures on the announcement tower.
const int SLOT_COUNTDOWN_A = 5;    // "chiffou.bmp"
const int SLOT_COUNTDOWN_B = 6;    // "mi.bmp"
const int SLOT_HIT = 7;            // "paf.bmp"
const int SLOT_CRITICAL = 8;       // "critical.bmp"
const int SLOT_PLAYER2_WINS = 9;   // "prwin.bmp"
const int SLOT_PLAYER1_WINS = 10;  // "pawin.bmp"
const int SLOT_EXCHANGE_WON = 11;  // "win.bmp"

#endif
