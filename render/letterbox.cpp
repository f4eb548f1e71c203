// The letterbox: where the 4:3 picture sits, centred, in a window of any size.
#include "render/letterbox.h"

Letterbox letterbox(int windowWidth, int windowHeight) {
    if (windowWidth <= 0 || windowHeight <= 0) {
        return Letterbox{0, 0, 0, 0};
    }
    // Whole-number arithmetic in 64 bits: exact at 4:3 sizes, never overflowing on huge ones.
    long long width = windowWidth;
    long long height = windowHeight;
    if (width * 3 > height * 4) {
        width = height * 4 / 3;
    } else {
        height = width * 3 / 4;
    }
    // A sliver of a window still shows a pixel of the picture rather than nothing at all.
    if (width < 1) width = 1;
    if (height < 1) height = 1;
    return Letterbox{(int)((windowWidth - width) / 2), (int)((windowHeight - height) / 2), (int)width,
                     (int)height};
}
