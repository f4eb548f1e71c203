// Fuzz target: any bytes loaded as a webcam test picture "N.bmp" into one of the three buffers.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/fuzz/fuzz_support.h"
#include "webcam/WebCam.h"

namespace {

const size_t HEADER_BYTES = 54;
const size_t LINE_BYTES = IMAGE_WIDTH * 3;
const size_t PICTURE_BYTES = HEADER_BYTES + LINE_BYTES * IMAGE_HEIGHT;

// The checks below are plain loops over 76,800 pixels: left out of the coverage measure, which
// would otherwise cost more than the load itself and guide the fuzzer by nothing of the game's.
#define NO_COVERAGE __attribute__((no_sanitize("coverage")))

NO_COVERAGE std::vector<Pixel> copyOf(const Image& image) {
    return std::vector<Pixel>(&image.pixels[0][0], &image.pixels[0][0] + IMAGE_WIDTH * IMAGE_HEIGHT);
}

// Byte for byte, padding included: the copy took the padding along and nothing writes it.
NO_COVERAGE bool unchanged(const Image& image, const std::vector<Pixel>& before) {
    return std::memcmp(&image.pixels[0][0], before.data(), before.size() * sizeof(Pixel)) == 0;
}

// The picture as the file describes it: scan line k is row 239 - k, pixels blue, green, red.
NO_COVERAGE bool holdsFile(const Image& image, const uint8_t* data) {
    bool same = true;
    for (int line = 0; line < IMAGE_HEIGHT; line++) {
        const uint8_t* from = data + HEADER_BYTES + line * LINE_BYTES;
        const Pixel* row = image.pixels[IMAGE_HEIGHT - 1 - line];
        for (int column = 0; column < IMAGE_WIDTH; column++, from += 3) {
            const Pixel& p = row[column];
            same &= p.b == from[0] && p.g == from[1] && p.r == from[2] &&
                    p.couleur == from[2] + from[1] * 256 + from[0] * 65536;
        }
    }
    return same;
}

// The pictures are found by name in the working directory: the load runs inside the scratch
// folder, and the fuzzer's own relative paths (corpus, artifacts) stay valid outside it.
void chargeInScratch(CWebCam& cam, int image) {
    int outside = open(".", O_RDONLY | O_DIRECTORY);
    if (outside < 0 || chdir(fuzz::scratch().path.c_str()) != 0) {
        fuzz::fail("cannot enter the scratch folder " + fuzz::scratch().path);
    }
    cam.ChargeBitmap(image);
    if (fchdir(outside) != 0) {
        fuzz::fail("cannot leave the scratch folder");
    }
    close(outside);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static CWebCam* cam = new CWebCam();
    static const std::string names[3] = {fuzz::scratchFile("0.bmp"), fuzz::scratchFile("1.bmp"),
                                         fuzz::scratchFile("2.bmp")};
    // The buffer follows from the input, so that a crash replays the same way.
    int image = (int)(size % 3);
    fuzz::writeInput(names[image], data, size);
    std::vector<Pixel> before[3];
    for (int i = 0; i < 3; i++) {
        before[i] = copyOf(cam->images[i]);
    }
    chargeInScratch(*cam, image);
    for (int i = 0; i < 3; i++) {
        if (i != image && !unchanged(cam->images[i], before[i])) {
            fuzz::fail("loading image " + std::to_string(image) + " changed image " +
                       std::to_string(i));
        }
    }
    if (size < PICTURE_BYTES) {
        if (!unchanged(cam->images[image], before[image])) {
            fuzz::fail("a file of " + std::to_string(size) + " bytes changed the image");
        }
    } else if (!holdsFile(cam->images[image], data)) {
        fuzz::fail("the image does not hold the file's pixels");
    }
    return 0;
}
