// Test harness: steps a fight value frame by frame with scripted inputs, keeping what it reports.
#ifndef VANTORIX_TESTS_RULES_SCENARIO_H
#define VANTORIX_TESTS_RULES_SCENARIO_H

#include <cstddef>
#include <vector>

#include "game/codes.h"
#include "rules/step.h"
#include "tests/rules/frame_input.h"

// A fresh fight with the starting values.
class Scenario {
public:
    Fight fight = startingFight();
    // Every hit and strike reported so far, in order.
    std::vector<FightHit> hits;
    std::vector<int> strikes;

    // One frame: the inputs go in, one step runs.
    void play(const FrameInputs& input);
    void play(const FrameInputs& input, int frames);
    // Frames without any input.
    void wait(int frames);
    // Stands the robots at these positions.
    void place(float pos1, float pos2);

    int state(int player) const { return fight.game.getPstate(player); }
    int move(int player) const { return fight.game.getPmove(player); }
    int clock(int player) const { return player == 1 ? fight.clock1 : fight.clock2; }
    int life(int player) const { return player == 1 ? fight.life1 : fight.life2; }
    float gap() const { return fight.pos2 - fight.pos1; }
    int gameState() const { return fight.game.getGameState(); }
    // Texture slot of the newest stage of a tower, or -1 when the tower is empty.
    int newestSlot(int tower) const;
    // The sparks the hits so far throw: 20 for each step of each attacking move's id.
    size_t sparks() const;
};

#endif
