// The shared sphere: the Earth's map coordinates, the icosahedron and its subdivision in real GL.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "scenery/Mars.h"
#include "scenery/backgrnd.h"
#include "scenery/subdivide.h"
#include "tests/scenery/scenery_support.h"

static void currentTexCoord(float* s, float* u) {
    float tc[4];
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, tc);
    *s = tc[0];
    *u = tc[1];
}

TEST(PlaceTexture, MapsTheEquatorThePolesAndTheYZeroLine) {
    plainGlState();
    const float h = 0.70710678f;
    struct Case {
        float x, y, z, s, u;
    } cases[] = {
        {0, 1, 0, 0.0f, 0.5f},     {-h, h, 0, 0.125f, 0.5f}, {-1, 0, 0, 0.25f, 0.5f},
        {0, -1, 0, 0.5f, 0.5f},    {1, 0, 0, 0.75f, 0.5f},   {h, h, 0, 0.875f, 0.5f},
        {h, -h, 0, 0.625f, 0.5f},  {-h, -h, 0, 0.375f, 0.5f},
        // y = 0 off the equator: still the 0.75 / 0.25 split by the sign of x.
        {0.6f, 0, 0.8f, 0.75f, (float)(std::asin(0.8) / M_PI + 0.5)},
        {-0.6f, 0, -0.8f, 0.25f, (float)(std::asin(-0.8) / M_PI + 0.5)},
        // The poles.
        {0, 0, 1, 0.25f, 1.0f},    {0, 0, -1, 0.25f, 0.0f},
    };
    for (const Case& c : cases) {
        placeTexture(c.y, c.z, c.x);
        float s, u;
        currentTexCoord(&s, &u);
        EXPECT_NEAR(s, c.s, 1e-5) << "at (" << c.x << ", " << c.y << ", " << c.z << ")";
        EXPECT_NEAR(u, c.u, 1e-5) << "at (" << c.x << ", " << c.y << ", " << c.z << ")";
    }
}

TEST(PlaceTexture, VertexRoundedPastAPoleStaysANumber) {
    plainGlState();
    placeTexture(0.0f, 1.0000001f, 0.0f);
    float s, u;
    currentTexCoord(&s, &u);
    EXPECT_FLOAT_EQ(u, 1.0f);
}

TEST(Normalize, ScalesToUnitLengthInPlaceAndLeavesZeroAlone) {
    float v[3] = {3.0f, -4.0f, 12.0f};
    normalize(v);
    EXPECT_FLOAT_EQ(v[0], 3.0f / 13.0f);
    EXPECT_FLOAT_EQ(v[1], -4.0f / 13.0f);
    EXPECT_FLOAT_EQ(v[2], 12.0f / 13.0f);
    float zero[3] = {0.0f, 0.0f, 0.0f};
    normalize(zero);
    EXPECT_EQ(zero[0], 0.0f);
    EXPECT_EQ(zero[1], 0.0f);
    EXPECT_EQ(zero[2], 0.0f);
}

TEST(Icosahedron, VerticesAreUnitAndFacesUseEachVertexFiveTimes) {
    int uses[12] = {0};
    for (int f = 0; f < 20; f++) {
        for (int k = 0; k < 3; k++) {
            uses[tindices[f][k]]++;
        }
    }
    for (int i = 0; i < 12; i++) {
        Vec3 v{vdata[i][0], vdata[i][1], vdata[i][2]};
        EXPECT_NEAR(length(v), 1.0, 1e-6) << "vertex " << i;
        EXPECT_EQ(uses[i], 5) << "vertex " << i;
    }
}

TEST(DrawSphere, DepthZeroEmitsTheTwentyFacesAtTheRadius) {
    plainGlState();
    std::vector<FeedbackPrimitive> out = captureFeedback([] { drawsphere(0, 2.5f); });
    ASSERT_EQ(out.size(), 20u);
    for (int f = 0; f < 20; f++) {
        ASSERT_EQ(out[f].vertices.size(), 3u);
        for (int k = 0; k < 3; k++) {
            const float* expected = vdata[tindices[f][k]];
            const FeedbackVertex& got = out[f].vertices[k];
            EXPECT_NEAR(got.x, expected[0] * 2.5f, 1e-3) << "face " << f << " corner " << k;
            EXPECT_NEAR(got.y, expected[1] * 2.5f, 1e-3) << "face " << f << " corner " << k;
            EXPECT_NEAR(got.z, expected[2] * 2.5f, 1e-3) << "face " << f << " corner " << k;
        }
    }
}

// s goes once round the z axis from the seam at x = 0, y > 0, written here without atan(r / p).
// The map repeats, so s and s + 1 are the same place.
static void expectMapCoordinates(const FeedbackVertex& v, double radius) {
    Vec3 unit = scaled(position(v), 1.0 / radius);
    bool pole = std::fabs(unit.x) < 1e-4 && std::fabs(unit.y) < 1e-4;
    double s = pole ? 0.25 : std::fmod(std::atan2(-unit.x, unit.y) / (2 * M_PI) + 1.0, 1.0);
    double u = std::asin(unit.z) / M_PI + 0.5;
    double apart = std::fmod(std::fabs(v.s - s), 1.0);
    EXPECT_LT(std::min(apart, 1.0 - apart), 1e-3)
        << "s " << v.s << " at " << unit.x << ", " << unit.y << ", " << unit.z;
    EXPECT_NEAR(v.t, u, 1e-3);
}

TEST(DrawSphere, DepthThreeEmits1280TrianglesOnTheSphereWithTheMap) {
    plainGlState();
    std::vector<FeedbackPrimitive> out = captureFeedback([] { drawsphere(3, 4.0f); });
    ASSERT_EQ(out.size(), 1280u);
    for (const FeedbackPrimitive& triangle : out) {
        ASSERT_EQ(triangle.vertices.size(), 3u);
        for (const FeedbackVertex& v : triangle.vertices) {
            EXPECT_NEAR(length(position(v)), 4.0, 2e-3);
            expectMapCoordinates(v, 4.0);
        }
    }
}

// The plain map of every leaf: each corner's coordinate as placeTexture sets it, in drawing order.
struct MapCorner {
    float s;
    bool pole;
};
static std::vector<MapCorner> plainCorners;

static void recordPlainLeaf(float* a, float* b, float* c, float) {
    for (float* v : {a, b, c}) {
        placeTexture(v[1], v[2], v[0]);
        float s, u;
        currentTexCoord(&s, &u);
        plainCorners.push_back(MapCorner{s, v[0] == 0.0f && v[1] == 0.0f});
    }
}

// Every corner keeps placeTexture's s, except in a triangle whose corners off the poles lie on both
// sides of the seam: there the low ones take s + 1, the same place of the repeating map, so that
// no triangle paints the whole map squeezed backwards. A pole's s of 0.25 names no longitude; it
// neither makes a triangle cross the seam nor takes the mend.
TEST(DrawSphere, LeavesKeepThePlainMapSaveAcrossTheSeam) {
    plainGlState();
    plainCorners.clear();
    for (int face = 0; face < 20; face++) {
        subdivideTriangle(vdata[tindices[face][0]], vdata[tindices[face][1]],
                          vdata[tindices[face][2]], 3, 4.0f, recordPlainLeaf);
    }
    std::vector<FeedbackPrimitive> out = captureFeedback([] { drawsphere(3, 4.0f); });
    ASSERT_EQ(out.size(), 1280u);
    ASSERT_EQ(plainCorners.size(), 3 * 1280u);
    int acrossSeam = 0, atPole = 0;
    for (size_t t = 0; t < out.size(); t++) {
        const MapCorner* plain = &plainCorners[3 * t];
        float low = 2.0f, high = -1.0f;
        for (int k = 0; k < 3; k++) {
            if (!plain[k].pole) {
                low = std::min(low, plain[k].s);
                high = std::max(high, plain[k].s);
            }
        }
        bool across = high - low > 0.5f;
        acrossSeam += across ? 1 : 0;
        atPole += plain[0].pole || plain[1].pole || plain[2].pole ? 1 : 0;
        for (int k = 0; k < 3; k++) {
            float want = across && !plain[k].pole && plain[k].s < 0.5f ? plain[k].s + 1.0f : plain[k].s;
            EXPECT_NEAR(out[t].vertices[k].s, want, 1e-5) << "triangle " << t << " corner " << k;
        }
    }
    EXPECT_GT(acrossSeam, 0);
    EXPECT_EQ(atPole, 12) << "six triangles round each pole";
}

// With a white directional light along `towards`, no ambient and a white diffuse material, the lit
// red of a vertex is max(0, normal . towards): the normal each leaf set, seen through the light.
static std::vector<FeedbackPrimitive> litCapture(const Vec3& towards, void (*draw)()) {
    plainGlState();
    return captureFeedback([&] {
        const float zero[4] = {0, 0, 0, 1};
        const float white[4] = {1, 1, 1, 1};
        const float direction[4] = {(float)towards.x, (float)towards.y, (float)towards.z, 0};
        glEnable(GL_LIGHTING);
        glEnable(GL_LIGHT0);
        glLightModelfv(GL_LIGHT_MODEL_AMBIENT, zero);
        glLightfv(GL_LIGHT0, GL_AMBIENT, zero);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glLightfv(GL_LIGHT0, GL_SPECULAR, zero);
        glLightfv(GL_LIGHT0, GL_POSITION, direction);
        glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, zero);
        glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, zero);
        glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, zero);
        draw();
        glDisable(GL_LIGHTING);
    });
}

static void expectRadialUnitNormals(void (*draw)(), double radius) {
    const Vec3 axes[6] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
    for (const Vec3& axis : axes) {
        std::vector<FeedbackPrimitive> out = litCapture(axis, draw);
        ASSERT_EQ(out.size(), 1280u);
        for (const FeedbackPrimitive& triangle : out) {
            for (const FeedbackVertex& v : triangle.vertices) {
                Vec3 normal = scaled(position(v), 1.0 / radius);
                double facing = normal.x * axis.x + normal.y * axis.y + normal.z * axis.z;
                ASSERT_NEAR(v.r, std::max(0.0, facing), 3e-3)
                    << "light along " << axis.x << ", " << axis.y << ", " << axis.z;
            }
        }
    }
}

TEST(DrawSphere, EveryLeafVertexCarriesItsOwnUnitDirectionAsNormal) {
    expectRadialUnitNormals([] { drawsphere(3, 4.0f); }, 4.0);
}

TEST(DrawMars, EveryLeafVertexCarriesItsOwnUnitDirectionAsNormal) {
    expectRadialUnitNormals([] { drawMars(3, 3.0f); }, 3.0);
}
