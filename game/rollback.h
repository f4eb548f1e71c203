// Advancing the fight one frame, and one player's share of a frame's inputs packed in a byte:
// what a rollback needs besides the fight value itself, which it saves and restores by copying.
#ifndef VANTORIX_ROLLBACK_H
#define VANTORIX_ROLLBACK_H

#include <cstdint>

#include "game/frame_inputs.h"

class World;

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
