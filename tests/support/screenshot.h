// Test support: a screenshot of one of the program's windows, read back as RGB pixels.
#ifndef VANTORIX_TEST_SCREENSHOT_H
#define VANTORIX_TEST_SCREENSHOT_H

#include <string>
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
// Pixels of the paper icon's green frame inside the top slot of the left tower (rock's frame is
// orange and scissors' violet).
int paperPixelsAtTopOfLeftTower(const Screenshot& shot);
// Presses x (player 1's paper) in the game window and watches for the icon while it is bright.
bool paperKeyShowsItsIcon(RunningProgram& program, unsigned long gameWindow);

#endif
