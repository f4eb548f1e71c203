// The one way a BMP file becomes a mipmapped OpenGL texture, shared by every picture of the game.
#ifndef VANTORIX_TEXTURE_H
#define VANTORIX_TEXTURE_H

// Loads fileName into the existing texture name. The filters are set before the mipmaps
// are built, or after them when filtersAfterMipmaps is true (the backdrop's order).
// A missing or unreadable picture leaves a warning on standard error and an empty,
// still usable texture.
void loadBmpTexture(const char* fileName, unsigned int textureName, bool filtersAfterMipmaps);

#endif
