// Test support: a screenshot of one of the program's windows, read back as RGB pixels.
#include "tests/support/screenshot.h"

// After the support's own headers: Xlib defines macros such as None and Status.
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <thread>

// The 800 x 600 window; one overlay unit is 1.5 / 1.491 of half the picture's height, and the
// same share of half its width (2.0 / 1.988).
static const int WINDOW_WIDTH = 800;
static const int WINDOW_HEIGHT = 600;
static const double OVERLAY_SCALE = 1.5 / (3.6 * 0.41421356);

int overlayColumn(float x, const PictureArea& picture) {
    return picture.left + (int)(picture.width / 2.0 * (1.0 + x * OVERLAY_SCALE));
}

int overlayRow(float y, const PictureArea& picture) {
    return picture.top + (int)(picture.height / 2.0 * (1.0 - y * OVERLAY_SCALE));
}

int overlayColumn(float x) { return overlayColumn(x, PictureArea{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}); }

int overlayRow(float y) { return overlayRow(y, PictureArea{0, 0, WINDOW_WIDTH, WINDOW_HEIGHT}); }

// The shift that brings a colour's bits, as the mask selects them, down to one byte.
static int shiftOf(unsigned long mask) {
    int shift = 0;
    while (mask > 0xff) {
        mask >>= 1;
        shift++;
    }
    return shift;
}

// Read straight from the server: no other program, and no window of another test, in between.
Screenshot Screenshot::ofWindow(const PrivateDisplay& display, unsigned long window) {
    Screenshot shot;
    prepareTestXlib();
    Display* connection = XOpenDisplay(display.name().c_str());
    if (connection == NULL) {
        return shot;
    }
    XWindowAttributes attributes;
    XImage* image = NULL;
    if (XGetWindowAttributes(connection, window, &attributes)) {
        image = XGetImage(connection, window, 0, 0, (unsigned)attributes.width,
                          (unsigned)attributes.height, AllPlanes, ZPixmap);
    }
    if (image != NULL) {
        shot.width = image->width;
        shot.height = image->height;
        shot.pixels.reserve((size_t)shot.width * shot.height * 3);
        int shifts[3] = {shiftOf(image->red_mask), shiftOf(image->green_mask), shiftOf(image->blue_mask)};
        unsigned long masks[3] = {image->red_mask, image->green_mask, image->blue_mask};
        for (int y = 0; y < shot.height; y++) {
            for (int x = 0; x < shot.width; x++) {
                unsigned long pixel = XGetPixel(image, x, y);
                for (int c = 0; c < 3; c++) {
                    shot.pixels.push_back((unsigned char)((pixel & masks[c]) >> shifts[c]));
                }
            }
        }
        XDestroyImage(image);
    }
    XCloseDisplay(connection);
    return shot;
}

Screenshot Screenshot::ofScreen(const PrivateDisplay& display) {
    prepareTestXlib();
    Display* connection = XOpenDisplay(display.name().c_str());
    if (connection == NULL) {
        return Screenshot();
    }
    Window root = DefaultRootWindow(connection);
    XCloseDisplay(connection);
    return ofWindow(display, root);
}

Rgb Screenshot::at(int x, int y) const {
    size_t i = ((size_t)y * width + x) * 3;
    return Rgb{pixels[i], pixels[i + 1], pixels[i + 2]};
}

bool Screenshot::savePng(const std::string& path) const {
    std::string raw = path + ".ppm";
    {
        std::ofstream out(raw, std::ios::binary);
        out << "P6\n" << width << " " << height << "\n255\n";
        out.write((const char*)pixels.data(), (std::streamsize)pixels.size());
    }
    bool saved = std::system(("convert " + raw + " " + path).c_str()) == 0;
    std::remove(raw.c_str());
    return saved;
}

bool fullLifeBarAt(const Screenshot& shot, float left, const PictureArea& picture) {
    int row = overlayRow(0.78f, picture);
    Rgb start = shot.at(overlayColumn(left, picture) + 4, row);
    Rgb end = shot.at(overlayColumn(left + 0.5f, picture) - 4, row);
    Rgb beyond = shot.at(overlayColumn(left + 0.5f, picture) + 6, row);
    bool red = start.r > 180 && start.g < 80;
    bool green = end.g > 180 && end.r < 80 && end.b < 80;
    return red && green && !(beyond.g > 180 && beyond.r < 80 && beyond.b < 80);
}

static bool paperGreen(const Rgb& c) { return c.g > 110 && c.g > c.r + 50 && c.g > c.b + 30; }

int paperPixelsAtTopOfLeftTower(const Screenshot& shot) {
    int count = 0;
    for (int y = TOP_LEFT_SLOT.top + 2; y < TOP_LEFT_SLOT.bottom - 2; y++) {
        for (int x = TOP_LEFT_SLOT.left + 2; x < TOP_LEFT_SLOT.right - 2; x++) {
            count += paperGreen(shot.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}

// A bar runs from red to green, never blue; what is left of a lost life, and the backdrop behind
// the bar, are darker or bluish.
static bool barPixel(const Rgb& p) { return p.r + p.g > 180 && p.b < 80; }

// From the first lit pixel to the last, on the widest of the rows through the bar's middle.
static int lifeBarLength(const Screenshot& shot, const PixelBox& bar) {
    int length = 0;
    for (int row = bar.top - 4; row <= bar.top; row += 2) {
        int first = -1;
        int last = -1;
        for (int x = bar.left - 4; x <= bar.right + 8; x++) {
            if (barPixel(shot.at(x, row))) {
                first = first < 0 ? x : first;
                last = x;
            }
        }
        length = std::max(length, first < 0 ? 0 : last - first + 1);
    }
    return length;
}

std::pair<int, int> lifeBarLengths(const Screenshot& shot) {
    if (shot.width < RIGHT_LIFE_BAR.right + 8) {
        return std::pair<int, int>(0, 0);
    }
    return std::pair<int, int>(lifeBarLength(shot, LEFT_LIFE_BAR), lifeBarLength(shot, RIGHT_LIFE_BAR));
}

bool paperKeyShowsItsIcon(RunningProgram& program, unsigned long gameWindow, const std::string& key) {
    program.tapKey(gameWindow, key);
    // The icon comes with the next frames and fades over seconds; a slow build draws late.
    for (int waited = 0; waited < 4000; waited += 100) {
        Screenshot shot = Screenshot::ofWindow(program.display(), gameWindow);
        if (shot.width == 800 && paperPixelsAtTopOfLeftTower(shot) > 100) {
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}
