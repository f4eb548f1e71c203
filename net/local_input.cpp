// The local player's input of a frame online, from both key sets or from their camera half.
#include "net/local_input.h"

PlayerInput localPlayerInput(const FrameInputs& keys, const FrameInputs& played, int player) {
    if (played != keys) {
        return playerShare(played, player);
    }
    int ownSign = player == 1 ? keys.sign1 : keys.sign2;
    int otherSign = player == 1 ? keys.sign2 : keys.sign1;
    return packPlayerInput(keys.left1 | keys.left2, keys.right1 | keys.right2,
                           ownSign != 0 ? ownSign : otherSign, keys.towerKeys);
}
