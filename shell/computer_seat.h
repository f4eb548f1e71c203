// The computer opponent's seat: it is shown the screen each frame and plays one player's keys.
#ifndef VANTORIX_COMPUTER_SEAT_H
#define VANTORIX_COMPUTER_SEAT_H

#include "computer/computer.h"
#include "game/World.h"

// Gives player 1 or 2 to the computer at this level, for the rest of the run.
void seatComputer(int player, Level level);

// After keys, pads and webcam have had their say: the computer's player takes the computer's
// keys instead of theirs. Does nothing while two people play.
void playComputerTurn(World& world);

// Sets a player's walking and sign inputs of the frame to the computer's keys.
void giveComputerKeys(World& world, int player, const ComputerAction& keys);

#endif
