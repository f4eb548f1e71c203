// One frame's inputs as the rules read them, and one player's share of them packed in a byte:
// what a recording, a replay and a network peer exchange.
#ifndef VANTORIX_RULES_FRAME_INPUTS_H
#define VANTORIX_RULES_FRAME_INPUTS_H

#include <cstdint>

// Tower keys pressed in a frame, as bits of FrameInputs::towerKeys.
const int TOWER_KEY_F = 1;
const int TOWER_KEY_G = 2;
const int TOWER_KEY_H = 4;

// Walking (0 or 1 each) and sign (a sign code) of both players, after keys, pads and webcam
// have all had their say, plus the tower keys of the frame.
struct FrameInputs {
    int left1 = 0;
    int right1 = 0;
    int sign1 = 0;
    int left2 = 0;
    int right2 = 0;
    int sign2 = 0;
    int towerKeys = 0;
};

bool operator==(const FrameInputs& a, const FrameInputs& b);
bool operator!=(const FrameInputs& a, const FrameInputs& b);

// One player's walking, sign and tower keys in one byte: bit 0 left, bit 1 right, bits 2-3 the
// sign code, bits 4-6 the TOWER_KEY_* bits. Bit 7 is never set.
typedef uint8_t PlayerInput;

PlayerInput packPlayerInput(int left, int right, int sign, int towerKeys);
// False for a byte no player could have sent (bit 7 set).
bool isPlayerInput(int byte);
// Both players' shares as the rules read them; the tower keys of both are pressed.
FrameInputs combineInputs(PlayerInput player1, PlayerInput player2);
// Sets one player's (1, or any other number for 2) walking and sign in a frame's inputs.
void setPlayerMoves(FrameInputs& inputs, int player, int left, int right, int sign);
// The share one player (1, or any other number for 2) has in a frame's inputs.
PlayerInput playerShare(const FrameInputs& inputs, int player);

#endif
