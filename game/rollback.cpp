// Advancing the fight one frame, and packing a player's inputs.
#include "game/rollback.h"

#include "game/World.h"

void advanceFight(World& world, const FrameInputs& inputs) {
    giveInputs(world, inputs);
    world.update();
}

PlayerInput packPlayerInput(int left, int right, int sign, int towerKeys) {
    return (PlayerInput)((left ? 1 : 0) | (right ? 2 : 0) | ((sign & 3) << 2) |
                         ((towerKeys & 7) << 4));
}

bool isPlayerInput(int byte) { return byte >= 0 && byte < 128; }

FrameInputs combineInputs(PlayerInput player1, PlayerInput player2) {
    FrameInputs inputs;
    inputs.left1 = player1 & 1;
    inputs.right1 = (player1 >> 1) & 1;
    inputs.sign1 = (player1 >> 2) & 3;
    inputs.left2 = player2 & 1;
    inputs.right2 = (player2 >> 1) & 1;
    inputs.sign2 = (player2 >> 2) & 3;
    inputs.towerKeys = ((player1 | player2) >> 4) & 7;
    return inputs;
}

PlayerInput playerShare(const FrameInputs& inputs, int player) {
    if (player == 1) {
        return packPlayerInput(inputs.left1, inputs.right1, inputs.sign1, inputs.towerKeys);
    }
    return packPlayerInput(inputs.left2, inputs.right2, inputs.sign2, inputs.towerKeys);
}
