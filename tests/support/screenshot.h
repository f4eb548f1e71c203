// Test support: a screenshot of the game window, read back as RGB pixels.
#ifndef VANTORIX_TEST_SCREENSHOT_H
#define VANTORIX_TEST_SCREENSHOT_H

#include <string>
#include <vector>

struct Rgb {
    int r, g, b;
};

class Screenshot {
public:
    int width = 0;
    int height = 0;
    std::vector<unsigned char> pixels;  // rows from the top, 3 bytes per pixel

    // Captures the whole X screen with `import -window root` and crops it to the window.
    // An empty screenshot (width 0) when the capture fails.
    static Screenshot ofWindow(unsigned long window);

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

#endif
