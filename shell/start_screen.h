// The start screen (--menu): the menu over the turning scenery, the fights begun from it, the
// pause screen over a local fight, the question before leaving an online one, and the way back.
#ifndef VANTORIX_START_SCREEN_H
#define VANTORIX_START_SCREEN_H

#include "shell/command_line.h"
#include "shell/frame_pacer.h"

// What the main loop does in its next turn.
enum LoopState { START_SCREEN, WAITING_FOR_OPPONENT, FIGHTING, PAUSED };

// Once the game has started with --menu: the fonts opened, the menu made from the settings.
// Ends the game with status 1, after one line, when the fonts cannot be opened.
void openStartScreen(const CommandLine& options);

// True once openStartScreen has run: the loop begins on the start screen.
bool startScreenOpen();

// Paints what the start screen waits for into the view window while the menu has the game
// window and no camera paints there; false when it paints nothing.
bool paintStartScreenNotice();

// True while a fight begun from the start screen is under way, paused or awaited.
bool startScreenFight();

// One frame of the start screen or of the pause screen: the players' presses carried out, the
// menu drawn over the scenery or the fight. Returns the loop's next state.
LoopState playMenuFrame(LoopState state, FramePacer& pacer);

// One turn of waiting for the opponent from the start screen: the scenery and who is awaited
// where; the start screen again, saying why, when the meeting fails or Escape asks.
LoopState waitFromStartScreen();

// After a frame of a fight begun from the start screen, or a turn of waiting for the opponent:
// PAUSED when Escape or a pad's Start asked for the pause screen (or, while waiting, the start
// screen back), else the state as it was.
LoopState afterFightTurn(LoopState state);

#endif
