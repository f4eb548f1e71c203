// Test support: a screenshot of one of the program's windows, read back as RGB pixels.
#ifndef VANTORIX_TEST_SCREENSHOT_H
#define VANTORIX_TEST_SCREENSHOT_H

#include <string>
#include <utility>
#include <vector>

#include "tests/support/program.h"

struct Rgb {
    int r, g, b;
};

class Screenshot {
public:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // rows from the top, 3 bytes per pixel

    // The window's pixels as its X server holds them; an empty screenshot (width 0) when the
    // capture fails.
    static Screenshot ofWindow(const PrivateDisplay& display, unsigned long window);
    // The whole screen, as a player sees it (a fullscreen game has no window of its title).
    static Screenshot ofScreen(const PrivateDisplay& display);

    Rgb at(int x, int y) const;
    // Writes the picture as a PNG (through ImageMagick); true on success.
    bool savePng(const std::string& path) const;
};

// Where the game's picture lies in a screenshot, in its pixels from the top-left corner.
struct PictureArea {
    int left, top, width, height;
};

// Pixel column and row for a point in overlay units (centre 0, up +y): in the 800 x 600 window,
// or in a picture scaled and placed anywhere.
int overlayColumn(float x);
int overlayRow(float y);
int overlayColumn(float x, const PictureArea& picture);
int overlayRow(float y, const PictureArea& picture);
// A full life bar whose left end is at overlay x left: red at that end, green at the other, and
// nothing green beyond it.
bool fullLifeBarAt(const Screenshot& shot, float left, const PictureArea& picture);
// Where the fight's overlay stands in the 800 x 600 game window, in pixels from its top left
// corner, as measured on screenshots of the game.
struct PixelBox {
    int left, top, right, bottom;
};
// The top sign slot of player 1's tower.
const PixelBox TOP_LEFT_SLOT = {5, 185, 78, 239};
// The two life bars, full; their middle row.
const PixelBox LEFT_LIFE_BAR = {58, 64, 259, 64};
const PixelBox RIGHT_LIFE_BAR = {540, 64, 741, 64};

// Pixels of the paper icon's green frame inside the top slot of the left tower (rock's frame is
// orange and scissors' violet).
int paperPixelsAtTopOfLeftTower(const Screenshot& shot);
// How far each life bar reaches, player 1's then player 2's, in pixels: from its first lit pixel
// to its last on the widest of the rows through its middle, so that a spark crossing a bar hides
// some of its pixels, never its ends on every row. Full bars are about 200 long; (0, 0) for a
// picture that is not of the game window.
std::pair<int, int> lifeBarLengths(const Screenshot& shot);
// Presses player 1's paper key (x unless the settings gave another) in the game window and
// watches for the icon while it is bright.
bool paperKeyShowsItsIcon(RunningProgram& program, unsigned long gameWindow, const std::string& key = "x");

#endif
