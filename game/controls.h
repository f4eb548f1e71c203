// Which key and which pad button does what for each player: the game's own until the player's
// settings give others, and what Escape and a pad's Start do.
#ifndef VANTORIX_CONTROLS_H
#define VANTORIX_CONTROLS_H

#include "settings/settings.h"

// Takes the keys and pad buttons of the settings.
void useControls(const Settings& settings);
// The key (an SDLKey) a player (1 or 2) uses for an action (PlayerAction).
int controlKey(int player, int action);
// The button of a player's pad for rock, paper or scissors (0, 1, 2 from PAD_ACTION_FIRST).
int controlPadButton(int player, int padAction);

// A pad's Start button, as the common (Xbox-style) pad's driver numbers it.
const int START_BUTTON = 7;

// What Escape in the game window and a pad's Start do in a fight begun from the start screen
// (pause, or ask before leaving an online fight). Without it Escape ends the game and Start does
// nothing. Closing the game window always ends it.
void onPauseKey(void (*hook)());
// Escape: the registered step, or the game ends with status 0.
void escapePressed();
// A pad's Start: the registered step, if any.
void startPressed();

#endif
