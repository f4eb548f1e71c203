// Test support: a screenshot of the game window, read back as RGB pixels.
#include "tests/support/screenshot.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tests/support/program.h"

// The 800 x 600 window; one overlay unit is 1.5 / 1.491 of half the picture's height, and the
// same share of half its width (2.0 / 1.988).
static const int WINDOW_WIDTH = 800;
static const int WINDOW_HEIGHT = 600;
static const double OVERLAY_SCALE = 1.5 / (3.6 * 0.41421356);

int overlayColumn(float x) {
    return (int)(WINDOW_WIDTH / 2.0 * (1.0 + x * OVERLAY_SCALE));
}

int overlayRow(float y) {
    return (int)(WINDOW_HEIGHT / 2.0 * (1.0 - y * OVERLAY_SCALE));
}

static bool readPpm(const std::string& path, int& width, int& height,
                    std::vector<unsigned char>& pixels) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int maximum = 0;
    in >> magic >> width >> height >> maximum;
    in.get();
    if (!in || magic != "P6" || maximum != 255 || width <= 0 || height <= 0) {
        return false;
    }
    pixels.resize((size_t)width * height * 3);
    in.read((char*)pixels.data(), (std::streamsize)pixels.size());
    return (bool)in;
}

Screenshot Screenshot::ofWindow(unsigned long window) {
    Screenshot shot;
    std::string geometry = commandOutput("xdotool getwindowgeometry --shell " +
                                         std::to_string(window));
    int left = 0;
    int top = 0;
    std::istringstream lines(geometry);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("X=", 0) == 0) {
            left = std::atoi(line.c_str() + 2);
        } else if (line.rfind("Y=", 0) == 0) {
            top = std::atoi(line.c_str() + 2);
        }
    }
    char pattern[] = "/tmp/vantorix-shot-XXXXXX";
    int fd = mkstemp(pattern);
    if (fd < 0) {
        return shot;
    }
    std::string path = pattern;
    std::string command = "import -window root -crop " + std::to_string(WINDOW_WIDTH) + "x" +
                          std::to_string(WINDOW_HEIGHT) + "+" + std::to_string(left) + "+" +
                          std::to_string(top) + " +repage -depth 8 ppm:" + path;
    if (std::system(command.c_str()) != 0 ||
        !readPpm(path, shot.width, shot.height, shot.pixels)) {
        shot = Screenshot();
    }
    std::remove(path.c_str());
    return shot;
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

static bool paperGreen(const Rgb& c) { return c.g > 110 && c.g > c.r + 50 && c.g > c.b + 30; }

int paperPixelsAtTopOfLeftTower(const Screenshot& shot) {
    int count = 0;
    for (int y = overlayRow(0.38f) + 2; y < overlayRow(0.2f) - 2; y++) {
        for (int x = overlayColumn(-0.98f) + 2; x < overlayColumn(-0.8f) - 2; x++) {
            count += paperGreen(shot.at(x, y)) ? 1 : 0;
        }
    }
    return count;
}
