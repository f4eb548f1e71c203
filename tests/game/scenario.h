// Test harness: drives the real World::update frame by frame with scripted inputs, for what the
// world adds to the rules: drawing, keys, pads, the computer's seat.
#ifndef VANTORIX_TESTS_GAME_SCENARIO_H
#define VANTORIX_TESTS_GAME_SCENARIO_H

#include <string>

#include "game/World.h"
#include "game/codes.h"
#include "tests/rules/frame_input.h"

// A fresh fight with the starting values. The motion library is loaded once per program.
class Scenario {
public:
    World world;

    Scenario();

    // One frame: the inputs go in, one update runs.
    void play(const FrameInputs& input);
    // Several frames with the same inputs.
    void play(const FrameInputs& input, int frames);
    // Frames without any input.
    void wait(int frames);

    // Stands the robots at these positions (and draws them there).
    void place(float pos1, float pos2);

    int state(int player) const { return world.fight.game.getPstate(player); }
    int move(int player) const { return world.fight.game.getPmove(player); }
    int clock(int player) const { return player == 1 ? world.fight.clock1 : world.fight.clock2; }
    int life(int player) const { return player == 1 ? world.fight.life1 : world.fight.life2; }
    float gap() const { return world.fight.pos2 - world.fight.pos1; }
    int gameState() const { return world.fight.game.getGameState(); }
    // Texture slot of the newest stage of a tower, or -1 when the tower is empty.
    int newestSlot(int tower) const;
};

#endif
