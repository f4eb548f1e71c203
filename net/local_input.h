// What the player at this machine did in a frame, whichever keys, pad or camera half they used.
#ifndef VANTORIX_LOCAL_INPUT_H
#define VANTORIX_LOCAL_INPUT_H

#include "rules/frame_inputs.h"

// keys holds the frame's inputs after the keyboard and pads, played those after the webcam had its
// say. When the webcam replaced them, the local player's own half of the picture counts (the half
// that player's robot stands for in a local fight); otherwise both key sets drive the local
// player, and a sign of the player's own set wins over the other set's.
PlayerInput localPlayerInput(const FrameInputs& keys, const FrameInputs& played, int player);

#endif
