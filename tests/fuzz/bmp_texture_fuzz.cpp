// Fuzz target: any bytes loaded as a texture picture and laid out as the rows OpenGL is given.
#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <string>
#include <vector>

#include "animation/bmp_surface.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string file = fuzz::scratchFile("picture.bmp");
    fuzz::writeInput(file, data, size);
    SDL_Surface* surface = loadBgr24Surface(file.c_str());
    if (surface == NULL) {
        return 0;
    }
    const SDL_PixelFormat* format = surface->format;
    if (surface->w <= 0 || surface->h <= 0 || format->BytesPerPixel != 3 ||
        format->BitsPerPixel != 24 || surface->pitch < surface->w * 3) {
        fuzz::fail("the loader passed on a surface of " + std::to_string(surface->w) + " x " +
                   std::to_string(surface->h) + " at " + std::to_string(format->BitsPerPixel) +
                   " bits with rows of " + std::to_string(surface->pitch) + " bytes");
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
    std::vector<unsigned char> repacked;
    const unsigned char* rows = glAlignedRows(surface, repacked);
    // Every byte GL would read must lie in memory the pixels own.
    size_t alignedRow = ((size_t)surface->w * 3 + 3) & ~(size_t)3;
    if (__asan_region_is_poisoned((void*)rows, alignedRow * surface->h) != nullptr) {
        fuzz::fail("the rows given to GL run past the picture's pixels");
    }
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
    SDL_FreeSurface(surface);
    return 0;
}
