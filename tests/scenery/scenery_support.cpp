// Scenery test helpers: a plain GL state to start from, small vector maths and Mars's colour table.
#include "tests/scenery/scenery_support.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

void plainGlState() {
    openTestGlWindow();
    glDisable(GL_LIGHTING);
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

Vec3 scaled(const Vec3& v, double factor) { return Vec3{v.x * factor, v.y * factor, v.z * factor}; }

Vec3 added(const Vec3& a, const Vec3& b) { return Vec3{a.x + b.x, a.y + b.y, a.z + b.z}; }

double length(const Vec3& v) { return std::sqrt(v.x * v.x + v.y * v.y + v.z * v.z); }

Vec3 rotated(const Vec3& v, double degrees, const Vec3& axis) {
    Vec3 k = scaled(axis, 1.0 / length(axis));
    double a = degrees * M_PI / 180.0;
    double c = std::cos(a), s = std::sin(a);
    double dot = k.x * v.x + k.y * v.y + k.z * v.z;
    Vec3 cross{k.y * v.z - k.z * v.y, k.z * v.x - k.x * v.z, k.x * v.y - k.y * v.x};
    // Rodrigues' formula.
    return Vec3{v.x * c + cross.x * s + k.x * dot * (1 - c), v.y * c + cross.y * s + k.y * dot * (1 - c),
                v.z * c + cross.z * s + k.z * dot * (1 - c)};
}

Vec3 position(const FeedbackVertex& v) { return Vec3{v.x, v.y, v.z}; }

const int MARS_COLOURS[11][3] = {
    {55, 50, 45},   {91, 50, 42},   {127, 50, 39},  {163, 50, 36},  {199, 50, 33},  {235, 50, 30},
    {238, 72, 46},  {241, 94, 62},  {244, 116, 78}, {247, 138, 94}, {250, 160, 110},
};

int nearestMarsLevel(float r, float g, float b) {
    int best = -1;
    double bestDistance = 1e9;
    for (int level = 0; level <= 10; level++) {
        double dr = r * 255.0 - MARS_COLOURS[level][0];
        double dg = g * 255.0 - MARS_COLOURS[level][1];
        double db = b * 255.0 - MARS_COLOURS[level][2];
        double distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = level;
        }
    }
    return best;
}

std::vector<int> randSequence(unsigned seed, int n) {
    std::srand(seed);
    std::vector<int> values(n);
    for (int i = 0; i < n; i++) {
        values[i] = std::rand();
    }
    return values;
}
