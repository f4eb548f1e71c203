// The game's start, written once for the program and for the probes that time it.
#ifndef VANTORIX_START_H
#define VANTORIX_START_H

#include "shell/command_line.h"

// Everything before the main loop, in order: the fight and its window (sound included), the
// backdrop, the sparks' seed, the view window, and the webcam worker when a camera connects.
void startGame(const CommandLine& options);

#endif
