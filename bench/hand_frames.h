// Camera-like 320 x 240 frames holding hand shapes, shared by the analysis benchmark and its checks.
#ifndef VANTORIX_BENCH_HAND_FRAMES_H
#define VANTORIX_BENCH_HAND_FRAMES_H

#include "webcam/WebCam.h"

// A small generator of its own, so that a frame is the same on every machine and run.
struct FrameRandom {
    unsigned int state;
    explicit FrameRandom(unsigned int seed) : state(seed * 2654435761u + 1u) {}
    unsigned int next() {
        state = state * 1103515245u + 12345u;
        return state >> 8;
    }
    // 0 .. bound - 1.
    int below(int bound) { return (int)(next() % (unsigned int)bound); }
};

inline void setFramePixel(Pixel& p, int r, int g, int b) {
    p.r = (unsigned char)(r < 0 ? 0 : r > 255 ? 255 : r);
    p.g = (unsigned char)(g < 0 ? 0 : g > 255 ? 255 : g);
    p.b = (unsigned char)(b < 0 ? 0 : b > 255 ? 255 : b);
    p.couleur = p.r + p.g * 256 + p.b * 65536;
}

// Hand signs the shapes imitate.
enum HandShape { HAND_FIST = 0, HAND_FLAT = 1, HAND_TWO_FINGERS = 2 };

// True when (column, row) lies on a hand of the given shape whose palm centre is (cx, cy).
inline bool onHand(int shape, int cx, int cy, int column, int row) {
    int dx = column - cx, dy = row - cy;
    // Palm: an ellipse 44 wide and 40 tall.
    if (dx * dx * 100 + dy * dy * 121 < 22 * 22 * 100) {
        return true;
    }
    if (shape == HAND_FIST) {
        return false;
    }
    // Fingers: 7-pixel bars rising from the palm's top.
    int fingers = shape == HAND_FLAT ? 4 : 2;
    int spacing = shape == HAND_FLAT ? 10 : 12;
    int first = cx - (fingers - 1) * spacing / 2;
    for (int f = 0; f < fingers; f++) {
        int fx = first + f * spacing;
        int length = shape == HAND_FLAT ? 60 - (f == 0 || f == fingers - 1 ? 12 : 0) : 62;
        if (column >= fx - 3 && column <= fx + 3 && row <= cy - 10 && row > cy - 10 - length) {
            return true;
        }
    }
    // The thumb of the flat hand, out to the side.
    return shape == HAND_FLAT && dy >= -4 && dy <= 4 && dx > 20 && dx < 44;
}

// A dim room lit from one side, two bright hands (one in each half) and sensor grain.
inline void paintHandFrame(Image& image, unsigned int seed) {
    FrameRandom random(seed);
    int shape2 = random.below(3), shape1 = random.below(3);
    int cx2 = 40 + random.below(80), cy2 = 90 + random.below(100);
    int cx1 = 200 + random.below(80), cy1 = 90 + random.below(100);
    int light = 30 + random.below(50);
    for (int row = 0; row < IMAGE_HEIGHT; row++) {
        for (int column = 0; column < IMAGE_WIDTH; column++) {
            int grain = random.below(31) - 15;
            bool hand = onHand(shape2, cx2, cy2, column, row) || onHand(shape1, cx1, cy1, column, row);
            int r, g, b;
            if (hand) {
                r = 215 + grain;
                g = 170 + grain;
                b = 140 + grain;
            } else {
                r = light + column / 5 + grain;
                g = light + 10 + row / 6 + grain;
                b = light + 25 + grain;
            }
            setFramePixel(image.pixels[row][column], r, g, b);
        }
    }
}

// Independent random bytes in every channel: the hardest case for branch prediction.
inline void paintNoiseFrame(Image& image, unsigned int seed) {
    FrameRandom random(seed);
    for (int row = 0; row < IMAGE_HEIGHT; row++) {
        for (int column = 0; column < IMAGE_WIDTH; column++) {
            setFramePixel(image.pixels[row][column], random.below(256), random.below(256),
                          random.below(256));
        }
    }
}

#endif
