// Fractal Mars: the colour of each level, the symmetry of the faults and the planet as drawn.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>

#include "scenery/Mars.h"
#include "tests/scenery/scenery_support.h"

static void currentColour(float rgba[4]) { glGetFloatv(GL_CURRENT_COLOR, rgba); }

static int levelOf(float x, float y, float z) {
    float c[4];
    setColorMars(y, z, x);
    currentColour(c);
    return nearestMarsLevel(c[0], c[1], c[2]);
}

// Keeps a fault set from leaking into the next test.
struct SavedFaults {
    std::vector<std::vector<float> > saved = surfaceMarsFractale;
    ~SavedFaults() { surfaceMarsFractale = saved; }
};

TEST(MarsColours, ElevenLevelsGiveTheTableAndTheStopsExactly) {
    plainGlState();
    ASSERT_EQ(nbIterationsFractale, 10);
    for (int level = 0; level <= 10; level++) {
        float c[4];
        mapColorMars(level);
        currentColour(c);
        for (int k = 0; k < 3; k++) {
            EXPECT_NEAR(c[k] * 255.0f, MARS_COLOURS[level][k], 0.5f) << "level " << level;
        }
        EXPECT_EQ(c[3], 1.0f);
    }
    const int stops[3] = {0, 5, 10};
    for (int level : stops) {
        float c[4];
        mapColorMars(level);
        currentColour(c);
        for (int k = 0; k < 3; k++) {
            EXPECT_FLOAT_EQ(c[k], MARS_COLOURS[level][k] / 255.0f) << "level " << level;
        }
    }
}

TEST(MarsFaults, AreUnitNormalsAndOppositePointsHaveLevelsAddingToTen) {
    plainGlState();
    SavedFaults keep;
    std::srand(1);
    createMars();
    ASSERT_EQ(surfaceMarsFractale.size(), 10u);
    for (const std::vector<float>& f : surfaceMarsFractale) {
        EXPECT_NEAR(length(Vec3{f[0], f[1], f[2]}), 1.0, 1e-5);
    }
    std::mt19937 generator(42);
    std::normal_distribution<float> gauss;
    int checked = 0;
    for (int i = 0; i < 500; i++) {
        Vec3 v{gauss(generator), gauss(generator), gauss(generator)};
        v = scaled(v, 1.0 / length(v));
        bool onAPlane = false;
        for (const std::vector<float>& f : surfaceMarsFractale) {
            onAPlane = onAPlane || std::fabs(f[0] * v.y + f[1] * v.z + f[2] * v.x) < 1e-5;
        }
        if (onAPlane) {
            continue;
        }
        EXPECT_EQ(levelOf(v.x, v.y, v.z) + levelOf(-v.x, -v.y, -v.z), 10);
        checked++;
    }
    EXPECT_GT(checked, 400);
}

TEST(DrawMars, WithoutFaultsEveryVertexIsLevelZeroAtTheRadius) {
    plainGlState();
    SavedFaults keep;
    surfaceMarsFractale.assign(10, std::vector<float>(3, 0.0f));
    std::vector<FeedbackPrimitive> out = captureFeedback([] { drawMars(3, 3.0f); });
    ASSERT_EQ(out.size(), 1280u);
    for (const FeedbackPrimitive& triangle : out) {
        ASSERT_EQ(triangle.vertices.size(), 3u);
        for (const FeedbackVertex& v : triangle.vertices) {
            EXPECT_NEAR(length(position(v)), 3.0, 2e-3);
            EXPECT_NEAR(v.r * 255.0f, 55.0f, 0.5f);
            EXPECT_NEAR(v.g * 255.0f, 50.0f, 0.5f);
            EXPECT_NEAR(v.b * 255.0f, 45.0f, 0.5f);
        }
    }
}

// The level of a drawn vertex (x, y, z) counts the faults f with f.x y + f.y z + f.z x > 0.
TEST(DrawMars, ColoursEachVertexByTheFaultsOnWhosePositiveSideItLies) {
    plainGlState();
    SavedFaults keep;
    std::srand(1);
    createMars();
    std::vector<FeedbackPrimitive> out = captureFeedback([] { drawMars(3, 3.0f); });
    ASSERT_EQ(out.size(), 1280u);
    int levelsSeen[11] = {0};
    for (const FeedbackPrimitive& triangle : out) {
        for (const FeedbackVertex& v : triangle.vertices) {
            Vec3 u = scaled(position(v), 1.0 / 3.0);
            int level = 0;
            bool onAPlane = false;
            for (const std::vector<float>& f : surfaceMarsFractale) {
                double side = f[0] * u.y + f[1] * u.z + f[2] * u.x;
                onAPlane = onAPlane || std::fabs(side) < 1e-3;
                level += side > 0 ? 1 : 0;
            }
            if (onAPlane) {
                continue;
            }
            levelsSeen[level]++;
            EXPECT_NEAR(v.r * 255.0f, MARS_COLOURS[level][0], 0.5f);
            EXPECT_NEAR(v.g * 255.0f, MARS_COLOURS[level][1], 0.5f);
            EXPECT_NEAR(v.b * 255.0f, MARS_COLOURS[level][2], 0.5f);
        }
    }
    int distinct = 0;
    for (int n : levelsSeen) {
        distinct += n > 0 ? 1 : 0;
    }
    EXPECT_GE(distinct, 5) << "ten faults should give a varied surface";
}
