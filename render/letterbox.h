// The letterbox: where the 4:3 picture sits, centred, in a window of any size.
#ifndef VANTORIX_LETTERBOX_H
#define VANTORIX_LETTERBOX_H

// The picture's rectangle in window pixels, x and y from the lower-left corner as GL counts them.
struct Letterbox {
    int x, y, width, height;
};

// The largest 4:3 rectangle that fits the window, centred between black bars left and right
// (a wide window) or above and below (a tall one). An 800 x 600 window is filled exactly; a
// window without area gives an empty picture.
Letterbox letterbox(int windowWidth, int windowHeight);

#endif
