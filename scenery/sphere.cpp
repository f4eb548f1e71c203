// Sphere geometry shared by both planets: the icosahedron, its subdivision and the Earth's map.
#include "scenery/backgrnd.h"
#include "scenery/subdivide.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

static const double PI = 3.14159265;

#define X 0.525731112f
#define Z 0.850650808f

// A unit icosahedron: X and Z are 1/sqrt(1 + phi^2) and phi/sqrt(1 + phi^2).
float vdata[12][3] = {
    {-X, 0.0f, Z}, {X, 0.0f, Z},  {-X, 0.0f, -Z}, {X, 0.0f, -Z},
    {0.0f, Z, X},  {0.0f, Z, -X}, {0.0f, -Z, X},  {0.0f, -Z, -X},
    {Z, X, 0.0f},  {-Z, X, 0.0f}, {Z, -X, 0.0f},  {-Z, -X, 0.0f},
};

#undef X
#undef Z

int tindices[20][3] = {
    {0, 4, 1},  {0, 9, 4},  {9, 5, 4},  {4, 5, 8},  {4, 8, 1},
    {8, 10, 1}, {8, 3, 10}, {5, 3, 8},  {5, 2, 3},  {2, 7, 3},
    {7, 10, 3}, {7, 6, 10}, {7, 11, 6}, {11, 0, 6}, {0, 1, 6},
    {6, 1, 10}, {9, 0, 11}, {9, 11, 2}, {9, 2, 5},  {7, 2, 11},
};

void normalize(float* v) {
    float length = (float)std::sqrt((double)v[0] * v[0] + (double)v[1] * v[1] + (double)v[2] * v[2]);
    if (length == 0.0f) {
        return;  // the zero vector has no direction; leave it rather than fill it with NaN
    }
    v[0] /= length;
    v[1] /= length;
    v[2] /= length;
}

// The spherical map of placeTexture, for a unit direction given as (y, z, x).
static void mapCoordinates(float p, float q, float r, float* s, float* u) {
    if (p == 0.0f) {
        *s = r > 0.0f ? 0.75f : 0.25f;
    } else {
        float t = (float)(-std::atan(r / p) / (2.0 * PI));
        if (p < 0.0f) {
            *s = t + 0.5f;
        } else if (r > 0.0f) {
            *s = t + 1.0f;
        } else {
            *s = t;
        }
    }
    // A vertex rounded just past a pole must not turn the coordinate into NaN.
    float clamped = q > 1.0f ? 1.0f : (q < -1.0f ? -1.0f : q);
    *u = (float)(std::asin(clamped) / PI + 0.5);
}

void placeTexture(float p, float q, float r) {
    float s, u;
    mapCoordinates(p, q, r, &s, &u);
    glTexCoord2f(s, u);
}

// A pole has no longitude: placeTexture gives it s 0.25 whichever triangle it belongs to.
static bool atPole(const float* v) { return v[0] == 0.0f && v[1] == 0.0f; }

// A leaf triangle. One that straddles the map's seam (s near 1 at some corners, near 0 at
// others) would otherwise be painted with the whole map squeezed backwards, a bright zigzag
// across the Pacific; its low corners take s + 1 instead, the same place of the repeating map.
// Only the corners off the poles tell whether a triangle straddles the seam and take the mend.
static void drawLeaf(float* a, float* b, float* c, float radius) {
    float* corners[3] = {a, b, c};
    float s[3], u[3];
    float low = 2.0f, high = -1.0f;
    for (int i = 0; i < 3; i++) {
        mapCoordinates(corners[i][1], corners[i][2], corners[i][0], &s[i], &u[i]);
        if (!atPole(corners[i])) {
            low = std::min(low, s[i]);
            high = std::max(high, s[i]);
        }
    }
    bool acrossSeam = high - low > 0.5f;
    for (int i = 0; i < 3; i++) {
        float* v = corners[i];
        bool mended = acrossSeam && !atPole(v) && s[i] < 0.5f;
        glNormal3fv(v);
        glTexCoord2f(mended ? s[i] + 1.0f : s[i], u[i]);
        glVertex3f(v[0] * radius, v[1] * radius, v[2] * radius);
    }
}

void subdivideTriangle(float* a, float* b, float* c, int depth, float radius, LeafTriangle leaf) {
    if (depth <= 0) {
        leaf(a, b, c, radius);
        return;
    }
    float ab[3], ac[3], bc[3];
    for (int i = 0; i < 3; i++) {
        ab[i] = (a[i] + b[i]) / 2.0f;
        ac[i] = (a[i] + c[i]) / 2.0f;
        bc[i] = (b[i] + c[i]) / 2.0f;
    }
    normalize(ab);
    normalize(ac);
    normalize(bc);
    subdivideTriangle(a, ab, ac, depth - 1, radius, leaf);
    subdivideTriangle(b, bc, ab, depth - 1, radius, leaf);
    subdivideTriangle(c, ac, bc, depth - 1, radius, leaf);
    subdivideTriangle(ab, bc, ac, depth - 1, radius, leaf);
}

void drawtri(float* a, float* b, float* c, int depth, float radius) {
    subdivideTriangle(a, b, c, depth, radius, drawLeaf);
}

void drawsphere(int depth, float radius) {
    glBegin(GL_TRIANGLES);
    for (int face = 0; face < 20; face++) {
        drawtri(vdata[tindices[face][0]], vdata[tindices[face][1]], vdata[tindices[face][2]], depth,
                radius);
    }
    glEnd();
}
