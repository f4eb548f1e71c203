// The check of an image index that every operation on the buffers makes.
#include "webcam/image_check.h"

#include <cstdio>

#include "webcam/WebCam.h"

bool imageIndexOk(const CWebCam& cam, int image, const char* operation) {
    if (image < 0 || image > 2) {
        std::fprintf(stderr, "%s: no image %d (the images are 0, 1 and 2)\n", operation, image);
        return false;
    }
    if (cam.images[image].pixels == nullptr) {
        std::fprintf(stderr, "%s: image %d has no pixels\n", operation, image);
        return false;
    }
    return true;
}
