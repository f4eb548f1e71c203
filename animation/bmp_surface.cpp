// Reading a BMP file as 24-bit blue-green-red rows laid out the way OpenGL unpacks them.
#include "animation/bmp_surface.h"

#include "animation/data_files.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Masks of three bytes per pixel stored blue, green, red: the layout GL_BGR_EXT reads.
static void bgrMasks(Uint32& r, Uint32& g, Uint32& b) {
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    r = 0xFF0000;
    g = 0x00FF00;
    b = 0x0000FF;
#else
    r = 0x0000FF;
    g = 0x00FF00;
    b = 0xFF0000;
#endif
}

static bool isBgr24(const SDL_Surface* surface) {
    Uint32 r, g, b;
    bgrMasks(r, g, b);
    const SDL_PixelFormat* f = surface->format;
    return f->BitsPerPixel == 24 && f->BytesPerPixel == 3 && f->Rmask == r && f->Gmask == g &&
           f->Bmask == b;
}

// A copy of the picture as 24-bit blue-green-red, for pictures of any other depth or order.
static SDL_Surface* convertToBgr24(SDL_Surface* surface) {
    Uint32 r, g, b;
    bgrMasks(r, g, b);
    SDL_Surface* model = SDL_CreateRGBSurface(SDL_SWSURFACE, 1, 1, 24, r, g, b, 0);
    if (model == NULL) {
        return NULL;
    }
    SDL_Surface* converted = SDL_ConvertSurface(surface, model->format, SDL_SWSURFACE);
    SDL_FreeSurface(model);
    return converted;
}

// What is wrong with a surface SDL handed back, or NULL when it is sound. Some damaged files
// make SDL return a surface together with an error, its format describing no real pixel layout
// (no bits per pixel, rows of no bytes over a buffer of a byte or two); converting such a
// surface reads far past its pixels.
static const char* surfaceFault(const SDL_Surface* surface) {
    const SDL_PixelFormat* f = surface->format;
    if (f == NULL || surface->pixels == NULL) {
        return "it has no pixels";
    }
    int bits = f->BitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 15 && bits != 16 && bits != 24 &&
        bits != 32) {
        return "its pixel format is unknown";
    }
    int bytes = bits <= 8 ? 1 : (bits + 7) / 8;
    if (f->BytesPerPixel != bytes) {
        return "its pixel format is inconsistent";
    }
    if (bits <= 8 && (f->palette == NULL || f->palette->colors == NULL)) {
        return "it has no colour table";
    }
    if ((long long)surface->pitch < (long long)surface->w * bytes) {
        return "its rows are shorter than its width";
    }
    return NULL;
}

// The surface if it is sound; otherwise NULL after a warning naming the file and the fault.
static SDL_Surface* keepIfSound(SDL_Surface* surface, const char* fileName) {
    const char* fault = surfaceFault(surface);
    if (fault == NULL) {
        return surface;
    }
    std::fprintf(stderr, "Vantorix: picture \"%s\" is damaged: %s (%s); it shows as plain grey\n",
                 fileName, fault, SDL_GetError());
    SDL_FreeSurface(surface);
    return NULL;
}

// No picture the game can show has a longer side. SDL allocates whatever a header claims before
// it reads a single pixel, so a damaged header would have it ask for gigabytes, or for a size
// that has overflowed into nonsense.
static const long long LARGEST_SIDE = 8192;

static long long littleEndian(const unsigned char* bytes, int count, bool isSigned) {
    unsigned long long value = 0;
    for (int i = count - 1; i >= 0; i--) {
        value = (value << 8) | bytes[i];
    }
    if (isSigned && count == 4) {
        return (long long)(int32_t)(uint32_t)value;
    }
    return (long long)value;
}

// The width and height the file's header claims, read as SDL will read them; false when the
// start of the file is not a BMP header (SDL then says what is wrong). The stream is rewound.
static bool claimedSides(SDL_RWops* stream, long long& width, long long& height) {
    unsigned char header[26];
    size_t got = SDL_RWread(stream, header, 1, sizeof header);
    SDL_RWseek(stream, 0, RW_SEEK_SET);
    if (got < 22 || header[0] != 'B' || header[1] != 'M') {
        return false;
    }
    if (littleEndian(header + 14, 4, false) == 12) {  // the old, short header: 16-bit sides
        width = littleEndian(header + 18, 2, false);
        height = littleEndian(header + 20, 2, false);
        return true;
    }
    if (got < 26) {
        return false;
    }
    width = littleEndian(header + 18, 4, true);
    height = littleEndian(header + 22, 4, true);  // negative for rows stored top first
    return true;
}

static bool claimsTooMuch(SDL_RWops* stream, const char* fileName) {
    long long width = 0, height = 0;
    if (!claimedSides(stream, width, height) || (std::llabs(width) <= LARGEST_SIDE &&
                                                 std::llabs(height) <= LARGEST_SIDE)) {
        return false;
    }
    std::fprintf(stderr, "Vantorix: picture \"%s\" is damaged: its header claims %lld x %lld pixels, "
                         "more than %lld on a side; it shows as plain grey\n",
                 fileName, width, std::llabs(height), LARGEST_SIDE);
    return true;
}

SDL_Surface* loadBgr24Surface(const char* fileName) {
    noteDataFile(fileName);
    SDL_RWops* stream = SDL_RWFromFile(fileName, "rb");
    if (stream != NULL && claimsTooMuch(stream, fileName)) {
        SDL_RWclose(stream);
        return NULL;
    }
    SDL_Surface* surface = stream == NULL ? NULL : SDL_LoadBMP_RW(stream, 1);
    if (surface == NULL) {
        std::fprintf(stderr, "Vantorix: cannot load picture \"%s\" (%s); it shows as plain grey\n",
                     fileName, SDL_GetError());
        return NULL;
    }
    if (surface->w <= 0 || surface->h <= 0) {
        std::fprintf(stderr, "Vantorix: picture \"%s\" is empty; it shows as plain grey\n",
                     fileName);
        SDL_FreeSurface(surface);
        return NULL;
    }
    surface = keepIfSound(surface, fileName);
    if (surface == NULL || isBgr24(surface)) {
        return surface;
    }
    SDL_Surface* converted = convertToBgr24(surface);
    SDL_FreeSurface(surface);
    if (converted == NULL) {
        std::fprintf(stderr, "Vantorix: cannot convert picture \"%s\" to 24 bits (%s); "
                             "it shows as plain grey\n",
                     fileName, SDL_GetError());
        return NULL;
    }
    // The conversion can meet the same limits as the load (rows too wide for SDL).
    return keepIfSound(converted, fileName);
}

const unsigned char* glAlignedRows(const SDL_Surface* surface, std::vector<unsigned char>& repacked) {
    int rowBytes = surface->w * 3;
    int alignedRow = (rowBytes + 3) & ~3;
    const unsigned char* pixels = (const unsigned char*)surface->pixels;
    if (surface->pitch == alignedRow) {
        return pixels;
    }
    repacked.assign((size_t)alignedRow * surface->h, 0);
    for (int y = 0; y < surface->h; y++) {
        std::memcpy(&repacked[(size_t)y * alignedRow], pixels + (size_t)y * surface->pitch,
                    rowBytes);
    }
    return repacked.data();
}
