// Reading a BMP file as 24-bit blue-green-red rows laid out the way OpenGL unpacks them.
#ifndef VANTORIX_BMP_SURFACE_H
#define VANTORIX_BMP_SURFACE_H

#include <SDL/SDL.h>

#include <vector>

// The picture in fileName as a 24-bit blue-green-red surface, converted when the file holds
// another depth or channel order. NULL, after a warning on standard error naming the file and
// the reason, when it is missing, unreadable, empty or cannot be converted. The caller frees it.
SDL_Surface* loadBgr24Surface(const char* fileName);

// The surface's rows padded to 4 bytes, as GL unpacks them by default: its own pixels when SDL
// padded them that way, else a copy made in repacked. The surface must be locked if it needs it.
const unsigned char* glAlignedRows(const SDL_Surface* surface, std::vector<unsigned char>& repacked);

#endif
