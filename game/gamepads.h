// Gamepads: the first two pads found at start play players 1 and 2 beside the keyboard.
#ifndef VANTORIX_GAMEPADS_H
#define VANTORIX_GAMEPADS_H

#include <SDL/SDL.h>

class World;

// How far a stick must lean (of 32767) to count as a push, and how near the centre it must come
// back before it counts again.
const int STICK_PUSH = 16384;
const int STICK_REST = 8000;

// The face buttons that give the signs, as the common (Xbox-style) pad's driver numbers them: the
// left, bottom and right buttons (X, A, B) read rock, paper, scissors from left to right, as the
// keys z, x, c do.
const int ROCK_BUTTON = 2;
const int PAPER_BUTTON = 0;
const int SCISSORS_BUTTON = 1;

// Opens the first two pads SDL finds and says on standard output which player each one plays;
// returns how many. With none the joystick subsystem is shut again and nothing changes.
int openGamepads();

// How many pads openGamepads opened.
int openPadCount();

// Applies one pad event to the frame's inputs: a push of the d-pad or the left stick is one step,
// a sign button sets the sign. Pads after the second and every other button are ignored.
void applyPadEvent(World& world, const SDL_Event& event);

// Forgets where the sticks and d-pads were, as at start (for a new fight in the same process).
void forgetPadPositions();

#endif
