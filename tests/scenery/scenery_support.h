// Scenery test helpers: a plain GL state to start from, small vector maths and Mars's colour table.
#ifndef VANTORIX_TEST_SCENERY_SUPPORT_H
#define VANTORIX_TEST_SCENERY_SUPPORT_H

#include <vector>

#include "tests/support/gl_context.h"

struct Vec3 {
    double x, y, z;
};

// Opens the test window and switches off everything a test may have left on, so that
// feedback colours are the current colours as set.
void plainGlState();

Vec3 scaled(const Vec3& v, double factor);
Vec3 added(const Vec3& a, const Vec3& b);
double length(const Vec3& v);
// Turns v by degrees about the axis (normalised here), as glRotate does.
Vec3 rotated(const Vec3& v, double degrees, const Vec3& axis);
Vec3 position(const FeedbackVertex& v);

// Mars's colour for each level 0 to 10, in 255ths.
extern const int MARS_COLOURS[11][3];
// The level whose colour is nearest to the given one, in 0..1 units.
int nearestMarsLevel(float r, float g, float b);

// The first n numbers of rand() after srand(seed).
std::vector<int> randSequence(unsigned seed, int n);

#endif
