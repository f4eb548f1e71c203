// What must be wound down before the game window's Escape or close ends the process.
#ifndef VANTORIX_QUIT_H
#define VANTORIX_QUIT_H

// Registers a step to run, in registration order, before the process ends from the game
// window. Whoever starts a thread or opens a file the exit must not tear down registers here.
void onGameQuit(void (*hook)());

// Runs every registered step once; later calls run nothing again.
void runQuitHooks();

#endif
