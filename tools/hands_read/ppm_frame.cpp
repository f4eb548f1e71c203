// Binary PPM frames: the header's fields, comments allowed between them, then the pixels.
#include "ppm_frame.h"

#include <cctype>
#include <cstdio>
#include <memory>

static const int WIDTH = 320;
static const int HEIGHT = 240;

namespace {

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The next header number, after whitespace and # comments; -1 when there is none.
long headerNumber(FILE* file) {
    int c = std::fgetc(file);
    while (c == '#' || std::isspace(c)) {
        if (c == '#') {
            while (c != '\n' && c != EOF) {
                c = std::fgetc(file);
            }
        }
        c = std::fgetc(file);
    }
    if (!std::isdigit(c)) {
        return -1;
    }
    long value = 0;
    while (std::isdigit(c) && value < 100000) {
        value = value * 10 + (c - '0');
        c = std::fgetc(file);
    }
    // Exactly one whitespace byte ends the header's last number; the pixels follow it.
    return std::isspace(c) ? value : -1;
}

}  // namespace

bool readPpmFrame(const std::string& path, std::vector<unsigned char>& rgb, std::string& why) {
    std::unique_ptr<FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        why = "cannot be opened";
        return false;
    }
    char magic[2] = {0, 0};
    if (std::fread(magic, 1, 2, file.get()) != 2 || magic[0] != 'P' || magic[1] != '6') {
        why = "is not a binary PPM picture (P6)";
        return false;
    }
    long width = headerNumber(file.get()), height = headerNumber(file.get()), maxval = headerNumber(file.get());
    if (width < 0 || height < 0 || maxval < 0) {
        why = "has a malformed PPM header";
        return false;
    }
    if (width != WIDTH || height != HEIGHT || maxval != 255) {
        why = "is " + std::to_string(width) + " x " + std::to_string(height) + " with maxval " +
              std::to_string(maxval) + ", not 320 x 240 with maxval 255";
        return false;
    }
    rgb.resize(WIDTH * HEIGHT * 3);
    if (std::fread(rgb.data(), 1, rgb.size(), file.get()) != rgb.size()) {
        why = "holds fewer pixels than a 320 x 240 frame";
        return false;
    }
    return true;
}
