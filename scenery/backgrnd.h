// The backdrop: the starfield, the textured Earth with its atmosphere, and the shared sphere geometry.
#ifndef VANTORIX_BACKGRND_H
#define VANTORIX_BACKGRND_H

#include <vector>

extern float vdata[12][3];
extern int tindices[20][3];
extern int nbStars;
extern float distanceStars;
extern std::vector<std::vector<float> > stars;
extern unsigned int textureId;
extern float angleRotationEarth;

void createBackground();
// Makes the backdrop's textures and the planets' display lists again in a new GL context, from
// the stars, the Earth's angle and Mars's relief as they stand.
void remakeBackgroundGl();
void drawBackground();
void drawsphere(int depth, float radius);
void drawtri(float* a, float* b, float* c, int depth, float radius);
void placeTexture(float p, float q, float r);
void normalize(float* v);

#endif
