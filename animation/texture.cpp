// loadBmpTexture: the one way a BMP file becomes a mipmapped OpenGL texture.
#include "animation/texture.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include <vector>

#include "animation/bmp_surface.h"

static void setFilters() {
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
}

// Builds the mipmaps from the surface's pixels, rows padded the way GL unpacks them.
static void uploadBgr24(SDL_Surface* surface) {
    if (SDL_MUSTLOCK(surface)) {
        SDL_LockSurface(surface);
    }
    std::vector<unsigned char> repacked;
    const unsigned char* pixels = glAlignedRows(surface, repacked);
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, surface->w, surface->h, GL_BGR_EXT,
                      GL_UNSIGNED_BYTE, pixels);
    if (SDL_MUSTLOCK(surface)) {
        SDL_UnlockSurface(surface);
    }
}

// Stands in for a picture that could not be loaded: one mid-grey texel, drawable as any other.
static void uploadPlaceholder() {
    const unsigned char grey[4] = {128, 128, 128, 0};
    gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, 1, 1, GL_BGR_EXT, GL_UNSIGNED_BYTE, grey);
}

void loadBmpTexture(const char* fileName, unsigned int textureName, bool filtersAfterMipmaps) {
    SDL_Surface* surface = loadBgr24Surface(fileName);
    glBindTexture(GL_TEXTURE_2D, textureName);
    if (!filtersAfterMipmaps) {
        setFilters();
    }
    if (surface != NULL) {
        uploadBgr24(surface);
        SDL_FreeSurface(surface);
    } else {
        uploadPlaceholder();
    }
    if (filtersAfterMipmaps) {
        setFilters();
    }
}
