// The computer opponent's seat: it is shown the screen each frame and plays one player's keys.
#ifndef VANTORIX_COMPUTER_SEAT_H
#define VANTORIX_COMPUTER_SEAT_H

#include <string>

#include "computer/computer.h"
#include "game/World.h"
#include "game/frame_inputs.h"

// Gives player 1 or 2 to the computer at this level, for the rest of the run.
void seatComputer(int player, Level level);

// The computer's player (0 while two people play) and its level's name ("easy", ...).
int seatedComputerPlayer();
std::string seatedComputerLevelName();
// Two people play again.
void unseatComputer();

// After keys, pads and webcam have had their say: the frame's inputs with the computer's keys in
// place of its player's. The inputs as they are while two people play.
FrameInputs playComputerTurn(const World& world, const FrameInputs& inputs);

// A player's walking and sign inputs of the frame set to the computer's keys.
void giveComputerKeys(FrameInputs& inputs, int player, const ComputerAction& keys);

#endif
