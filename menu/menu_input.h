// What a key, a pad or the mouse means on a menu screen: SDL's events made into menu events.
#ifndef VANTORIX_MENU_INPUT_H
#define VANTORIX_MENU_INPUT_H

#include <SDL/SDL.h>

#include <vector>

#include "menu/menu.h"
#include "menu/menu_draw.h"

// Pad buttons as the common (Xbox-style) pad's Linux driver numbers them, the ones
// game/gamepads.h gives the signs: A accepts, B goes back, Start pauses.
const int MENU_PAD_ACCEPT = 0;
const int MENU_PAD_BACK = 1;
const int MENU_PAD_START = 7;

// Where each pad's stick leans: a push counts once, until the stick comes back to rest.
struct MenuSticks {
    int leaning[2][2] = {{0, 0}, {0, 0}};  // per pad, per axis: -1, 0 or 1
};

// Lets typed characters reach the menu (SDL's key events then carry them). Call once before
// the menu's events are read; the fight's keys do not mind it.
void prepareMenuInput();

// The menu event one SDL event makes, MENU_NOTHING for none. Keyboard: the arrows, Enter (the
// keypad's too), Escape, Backspace, and printable characters as typing; every key event carries
// its key. Pads: the d-pad and the left stick move, A accepts, B goes back, Start pauses; every
// button carries its pad and number. Mouse: moving over an item points at it, the left button
// clicks it, the wheel moves the highlight; items are where the last drawing put them.
MenuEvent menuEventOf(const SDL_Event& event, MenuSticks& sticks, const std::vector<MenuRect>& items);

#endif
