// Comparing two frames' inputs, and packing one player's share of them in a byte.
#include "rules/frame_inputs.h"

bool operator==(const FrameInputs& a, const FrameInputs& b) {
    return a.left1 == b.left1 && a.right1 == b.right1 && a.sign1 == b.sign1 &&
           a.left2 == b.left2 && a.right2 == b.right2 && a.sign2 == b.sign2 &&
           a.towerKeys == b.towerKeys;
}

bool operator!=(const FrameInputs& a, const FrameInputs& b) { return !(a == b); }

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

void setPlayerMoves(FrameInputs& inputs, int player, int left, int right, int sign) {
    (player == 1 ? inputs.left1 : inputs.left2) = left;
    (player == 1 ? inputs.right1 : inputs.right2) = right;
    (player == 1 ? inputs.sign1 : inputs.sign2) = sign;
}
