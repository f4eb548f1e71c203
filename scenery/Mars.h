// Fractal Mars: a sphere coloured by a pattern of random fault planes through its centre.
#ifndef VANTORIX_MARS_H
#define VANTORIX_MARS_H

#include <vector>

extern int nbIterationsFractale;
extern std::vector<std::vector<float> > surfaceMarsFractale;

void createMars();
void drawMars(int depth, float radius);
void drawtriMars(float* a, float* b, float* c, int depth, float radius);
void setColorMars(float p, float q, float r);
void mapColorMars(int level);

#endif
