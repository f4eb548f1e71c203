// What one frame's rules work on: the fight, the frame's inputs and the events it gathers.
#ifndef VANTORIX_TURN_H
#define VANTORIX_TURN_H

#include "rules/step.h"

struct FrameStep {
    Fight& fight;
    const FrameInputs& inputs;
    FightEvents& events;
};

void noteStrike(FrameStep& step, int move);
void noteHit(FrameStep& step, int move, int hitPlayer);
// Raises a stage; on the announcement tower it is also one of the duel's moments.
void raiseStage(FrameStep& step, int tower, int slot);

// Each player's turn of the frame, player 1 first.
void playTurn(FrameStep& step, int player);
// One step of the duel, keyed on player 1's move clock.
void runDuelSchedule(FrameStep& step);

#endif
