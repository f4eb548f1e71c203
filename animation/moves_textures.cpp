// Moves: the twelve textures of the panels, sign icons and banners, by slot.
#include <GL/gl.h>

#include <cstdio>

#include "animation/moves.h"
#include "animation/texture.h"

static const char* const textureFiles[NB_TEXTURES] = {
    "CPLifeSM.bmp", "CPLifeRS.bmp", "pierre.bmp", "feuille.bmp", "ciseaux.bmp", "chiffou.bmp",
    "mi.bmp",       "paf.bmp",      "critical.bmp", "prwin.bmp", "pawin.bmp",   "win.bmp",
};

void Moves::loadTextures() {
    glGenTextures(NB_TEXTURES, textures);
    for (int slot = 0; slot < NB_TEXTURES; slot++) {
        loadTexture(textureFiles[slot], slot);
    }
}

void Moves::loadTexture(const char* fileName, int slot) {
    if (slot < 0 || slot >= NB_TEXTURES) {
        std::fprintf(stderr, "Vantorix: no texture slot %d for \"%s\"\n", slot, fileName);
        return;
    }
    loadBmpTexture(fileName, textures[slot], false);
}

unsigned int* Moves::getText() { return textures; }
