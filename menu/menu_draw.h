// The menu drawn in the game window over what is already there (the turning scenery, or the
// frozen fight under the pause screen), in proportion to the picture at any window size.
#ifndef VANTORIX_MENU_DRAW_H
#define VANTORIX_MENU_DRAW_H

#include <vector>

#include "menu/menu_page.h"

// Where an item was drawn, in window pixels from the window's top-left corner (as SDL reports
// the mouse), and its index in the page.
struct MenuRect {
    int x, y, width, height;
    int item;
};

// Draws the page over the picture (render/game_window.h's letterbox) and returns where each
// item that can be highlighted went. Needs the fonts open (render/text.h); leaves the GL state
// as it found it.
std::vector<MenuRect> drawMenu(const MenuPage& page);

#endif
