// Lens flare: the sun, its cross-shaped glare and two halos, added onto the picture.
#ifndef VANTORIX_LENSFLARE_H
#define VANTORIX_LENSFLARE_H

extern unsigned int textureId1;
extern unsigned int textureId2;
extern unsigned int textureId3;

void initLensFlare();
void drawLensFlare(float angle);

#endif
