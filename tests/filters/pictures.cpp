// Test pictures for the image filters, and the blur and edge marking done the long way.
#include "tests/filters/pictures.h"

#include <cstdlib>

bool operator==(const Pixel& a, const Pixel& b) {
    return a.r == b.r && a.g == b.g && a.b == b.b && a.couleur == b.couleur;
}

void PrintTo(const Pixel& p, std::ostream* out) {
    *out << "(" << int(p.r) << ", " << int(p.g) << ", " << int(p.b) << "; couleur " << p.couleur << ")";
}

void PrintTo(const PixelHSL& x, std::ostream* out) {
    *out << "(h " << int(x.h) << ", s " << int(x.s) << ", l " << int(x.l) << ")";
}

Pixel rgb(int r, int g, int b) {
    Pixel p;
    p.r = static_cast<unsigned char>(r);
    p.g = static_cast<unsigned char>(g);
    p.b = static_cast<unsigned char>(b);
    p.couleur = r + g * 256 + b * 65536;
    return p;
}

void paint(CWebCam& cam, int image, const std::function<Pixel(int row, int column)>& colourAt) {
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            cam.images[image].pixels[i][j] = colourAt(i, j);
        }
    }
}

void fill(CWebCam& cam, int image, Pixel colour) {
    paint(cam, image, [colour](int, int) { return colour; });
}

void noise(CWebCam& cam, int image, unsigned int seed) {
    unsigned int state = seed * 2654435761u + 1;
    auto channel = [&state]() {
        state = state * 1103515245u + 12345u;
        int v = (state >> 16) & 255;
        return (state >> 8) % 5 == 0 ? 0 : v;
    };
    paint(cam, image, [&channel](int, int) {
        int r = channel();
        int g = channel();
        int b = channel();
        return rgb(r, g, b);
    });
}

void sparse(CWebCam& cam, int image, unsigned int seed) {
    unsigned int state = seed * 2654435761u + 1;
    paint(cam, image, [&state](int, int) {
        state = state * 1103515245u + 12345u;
        if ((state >> 8) % 40 != 0) {
            return rgb(0, 0, 0);
        }
        return rgb((state >> 16) & 255, (state >> 20) & 255, (state >> 24) & 255);
    });
}

std::vector<Pixel> snapshot(const CWebCam& cam, int image) {
    const Pixel* run = &cam.images[image].pixels[0][0];
    return std::vector<Pixel>(run, run + IMAGE_WIDTH * IMAGE_HEIGHT);
}

int at(int row, int column) {
    return row * IMAGE_WIDTH + column;
}

void referenceFlou(CWebCam& cam, int image) {
    Pixel (*px)[IMAGE_WIDTH] = cam.images[image].pixels;
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            Pixel list[9] = {};
            int k = 0;
            for (int di = -1; di <= 1; di++) {
                for (int dj = -1; dj <= 1; dj++, k++) {
                    int y = i + di;
                    int x = j + dj;
                    if (y >= 0 && y < IMAGE_HEIGHT && x >= 0 && x < IMAGE_WIDTH) {
                        list[k] = px[y][x];
                    }
                }
            }
            px[i][j] = moyenne(list, 9);
        }
    }
}

void referenceContour(CWebCam& cam, int image, int threshold, bool grey) {
    enum { ABOVE = 1, BELOW = 2, LEFT = 4, RIGHT = 8 };
    std::vector<std::vector<int>> marks(IMAGE_HEIGHT, std::vector<int>(IMAGE_WIDTH, 0));
    if (grey) {
        cam.CalGris(image);
    }
    Pixel (*px)[IMAGE_WIDTH] = cam.images[image].pixels;
    auto step = [&](int i, int j, int y, int x) {
        const Pixel& a = px[i][j];
        const Pixel& b = px[y][x];
        if (grey) {
            return std::abs(a.r - b.r) > threshold;
        }
        return std::abs(a.r - b.r) > threshold || std::abs(a.g - b.g) > threshold ||
               std::abs(a.b - b.b) > threshold;
    };
    for (int i = 1; i < IMAGE_HEIGHT - 1; i++) {
        for (int j = 1; j < IMAGE_WIDTH - 1; j++) {
            if (step(i, j, i - 1, j)) {
                marks[i - 1][j] |= BELOW;
                marks[i][j] |= ABOVE;
            }
            if (step(i, j, i + 1, j)) {
                marks[i + 1][j] |= ABOVE;
                marks[i][j] |= BELOW;
            }
            if (step(i, j, i, j - 1)) {
                marks[i][j - 1] |= RIGHT;
                marks[i][j] |= LEFT;
            }
            if (step(i, j, i, j + 1)) {
                marks[i][j + 1] |= LEFT;
                marks[i][j] |= RIGHT;
            }
        }
    }
    for (int i = 0; i < IMAGE_HEIGHT; i++) {
        for (int j = 0; j < IMAGE_WIDTH; j++) {
            if (marks[i][j] & (ABOVE | LEFT)) {
                px[i][j] = rgb(255, 255, 255);
            }
        }
    }
}
