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

    Rgb at(int x, int y) const;
    // Writes the picture as a PNG (through ImageMagick); true on success.
    bool savePng(const std::string& path) const;
};

// Pixel column and row of the game window for a point in overlay units (centre 0, up +y).
int overlayColumn(float x);
int overlayRow(float y);
// Pixels of the paper icon's green frame inside the top slot of the left tower (rock's frame is
// orange and scissors' violet).
int paperPixelsAtTopOfLeftTower(const Screenshot& shot);
// Presses x (player 1's paper) in the game window and watches for the icon while it is bright.
bool paperKeyShowsItsIcon(RunningProgram& program, unsigned long gameWindow);

#endif
