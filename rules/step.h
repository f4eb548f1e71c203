// One frame of the fight: the fight value and the frame's inputs in, the value changed and what
// the frame showed out, as events the presentation plays once.
#ifndef VANTORIX_STEP_H
#define VANTORIX_STEP_H

#include "rules/fight.h"
#include "rules/frame_inputs.h"

// A robot is hit: sparks fly from x (at half height), 20 for each step of the attacking move's
// id (a rock strike, move 0, hits with none).
struct FightHit {
    int player = 0;
    int move = 0;
    float x = 0;
};

// The most of each kind a frame can hold: one strike and one hit per player, two pictures.
const int MAX_FRAME_EVENTS = 4;

struct FightEvents {
    // The robots' positions as the frame began: the camera frames them.
    float framed1 = 0;
    float framed2 = 0;
    // Strikes started (PUNCH or HEAD_PUNCH), in order: the frame plays their sounds.
    int strikes[MAX_FRAME_EVENTS] = {};
    int strikeCount = 0;
    FightHit hits[MAX_FRAME_EVENTS];
    int hitCount = 0;
    // The duel's moments: the texture slots raised on the announcement tower, in order.
    int announcements[MAX_FRAME_EVENTS] = {};
    int announcementCount = 0;
};

// The tower keys' stages, each player's turn, the duel, the walk and the signs, in that order.
FightEvents stepFight(Fight& fight, const FrameInputs& inputs);

// The rules a fight is stepped by: stepFight, or in a test, the rules of a machine that has gone
// out of step.
typedef FightEvents (*FightRules)(Fight& fight, const FrameInputs& inputs);

// Who wins an exchange of signs a and b: 0 for a draw, 1 for a, 2 for b.
int solveBattle(int a, int b);

#endif
