// Test support: a started game, by whatever command, that must open both its windows and end with status 0 when its view window is closed.
#ifndef VANTORIX_TESTS_E2E_INSTALL_BOTH_WINDOWS_H
#define VANTORIX_TESTS_E2E_INSTALL_BOTH_WINDOWS_H

#include "tests/e2e_install/command_run.h"

// Waits for the view window and the game window, closes the view window and expects the game
// to say goodbye once and end with status 0. Fails the current test otherwise.
void expectBothWindowsThenCleanEnd(CommandRun& run);

#endif
