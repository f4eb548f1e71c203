// Everything the rules carry from frame to frame, saved and restored by value, and one player's
// share of a frame's inputs packed in a byte: what a rollback needs of the fight.
#ifndef VANTORIX_ROLLBACK_H
#define VANTORIX_ROLLBACK_H

#include <cstdint>

#include "animation/moves.h"
#include "game/Game.h"
#include "game/frame_inputs.h"

class World;

// The rules' own state. The engine, the motion library's poses and textures, the camera and the
// sparks are left out: the rules never change the first three and never read the sparks.
struct FightState {
    float pos1 = 0;
    float speed1 = 0;
    float pos2 = 0;
    float speed2 = 0;
    float drawPos1 = 0;
    float drawPos2 = 0;
    int clock1 = 0;
    int clock2 = 0;
    int duelScore = 0;
    int tickStep = 0;
    int timer = 0;
    int lastSign1 = 0;
    int lastSign2 = 0;
    int life1 = 0;
    int life2 = 0;
    Game game;
    // The towers' stages are added by the rules (signs, duel marks), so they go back with them.
    RecordList towers[5];
};

FightState saveFight(const World& world);
void loadFight(World& world, const FightState& state);
// One frame of the rules with these inputs; the strikes it started are left in world.strikeSounds.
void advanceFight(World& world, const FrameInputs& inputs);

// One player's walking, sign and tower keys in one byte: bit 0 left, bit 1 right, bits 2-3 the
// sign code, bits 4-6 the TOWER_KEY_* bits. Bit 7 is never set.
typedef uint8_t PlayerInput;

PlayerInput packPlayerInput(int left, int right, int sign, int towerKeys);
// False for a byte no player could have sent (bit 7 set).
bool isPlayerInput(int byte);
// Both players' shares as the rules read them; the tower keys of both are pressed.
FrameInputs combineInputs(PlayerInput player1, PlayerInput player2);
// The share one player (1, or any other number for 2) has in a frame's inputs.
PlayerInput playerShare(const FrameInputs& inputs, int player);

#endif
