// Fractal Mars: ten random planes through the centre set the level, and the level sets the colour.
#include "scenery/Mars.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "scenery/backgrnd.h"
#include "scenery/subdivide.h"

static const double PI = 3.14159265;

int nbIterationsFractale = 10;
std::vector<std::vector<float> > surfaceMarsFractale(nbIterationsFractale,
                                                     std::vector<float>(3, 0.0f));

// The colour map: dark grey-brown at level 0, red half way, light peach at the top.
static const float LOW[3] = {55.0f / 255.0f, 50.0f / 255.0f, 45.0f / 255.0f};
static const float MID[3] = {235.0f / 255.0f, 50.0f / 255.0f, 30.0f / 255.0f};
static const float HIGH[3] = {250.0f / 255.0f, 160.0f / 255.0f, 110.0f / 255.0f};
static const float SPLIT = 0.5f;

// Two draws per fault, right after the stars' draws.
void createMars() {
    surfaceMarsFractale.assign(nbIterationsFractale > 0 ? nbIterationsFractale : 0,
                               std::vector<float>(3, 0.0f));
    for (int i = 0; i < nbIterationsFractale; i++) {
        double azimuth = 2.0 * (rand() % 10000) * PI / 9999.0;
        double elevation = (rand() % 10000) * PI / 9999.0 - PI / 2.0;
        surfaceMarsFractale[i][0] = (float)(std::cos(azimuth) * std::cos(elevation));
        surfaceMarsFractale[i][1] = (float)(std::sin(azimuth) * std::cos(elevation));
        surfaceMarsFractale[i][2] = (float)std::sin(elevation);
    }
}

void mapColorMars(int level) {
    float b = nbIterationsFractale > 0 ? (float)level / (float)nbIterationsFractale : 0.0f;
    const float* other;
    float w;
    if (b < SPLIT) {
        w = b / SPLIT;
        other = LOW;
    } else {
        w = (1.0f - b) / (1.0f - SPLIT);
        other = HIGH;
    }
    glColor4f(w * MID[0] + (1.0f - w) * other[0], w * MID[1] + (1.0f - w) * other[1],
              w * MID[2] + (1.0f - w) * other[2], 1.0f);
}

void setColorMars(float p, float q, float r) {
    int level = 0;
    for (size_t i = 0; i < surfaceMarsFractale.size(); i++) {
        const std::vector<float>& fault = surfaceMarsFractale[i];
        if (fault[0] * p + fault[1] * q + fault[2] * r > 0.0f) {
            level++;
        }
    }
    mapColorMars(level);
}

// Mars's leaves are coloured by their fault level instead of textured.
static void drawLeafMars(float* a, float* b, float* c, float radius) {
    float* corners[3] = {a, b, c};
    for (int i = 0; i < 3; i++) {
        float* v = corners[i];
        glNormal3fv(v);
        setColorMars(v[1], v[2], v[0]);
        glVertex3f(v[0] * radius, v[1] * radius, v[2] * radius);
    }
}

void drawtriMars(float* a, float* b, float* c, int depth, float radius) {
    subdivideTriangle(a, b, c, depth, radius, drawLeafMars);
}

void drawMars(int depth, float radius) {
    glBegin(GL_TRIANGLES);
    for (int face = 0; face < 20; face++) {
        drawtriMars(vdata[tindices[face][0]], vdata[tindices[face][1]], vdata[tindices[face][2]],
                    depth, radius);
    }
    glEnd();
}
