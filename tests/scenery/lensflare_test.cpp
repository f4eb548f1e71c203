// Lens flare: the GL state it hands back, and where its four quads stand for a given angle.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "scenery/lensflare.h"
#include "tests/scenery/scenery_support.h"

TEST(LensFlare, HandsBackAlphaBlendingNoTexturingAndTheSameMatrixAtAnyAngle) {
    plainGlState();
    const float angles[] = {0.0f, 37.5f, 90.0f, 451.0f, -720.0f, 100000.0f};
    glTranslatef(1.0f, 2.0f, 3.0f);
    for (float angle : angles) {
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_ONE, GL_ZERO);
        int depth = modelviewDepth();
        float before[16], after[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, before);

        drawLensFlare(angle);

        GLint source = 0, destination = 0;
        glGetIntegerv(GL_BLEND_SRC, &source);
        glGetIntegerv(GL_BLEND_DST, &destination);
        EXPECT_EQ(source, GL_SRC_ALPHA) << "angle " << angle;
        EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA) << "angle " << angle;
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D)) << "angle " << angle;
        EXPECT_EQ(modelviewDepth(), depth) << "angle " << angle;
        glGetFloatv(GL_MODELVIEW_MATRIX, after);
        for (int i = 0; i < 16; i++) {
            EXPECT_EQ(after[i], before[i]) << "angle " << angle;
        }
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR) << "angle " << angle;
    }
}

struct FlareQuad {
    float low, high, z;
    float r, g, b, a;
};

static const FlareQuad QUADS[4] = {
    {0.0f, 4.0f, -30.0f, 1.0f, 1.0f, 1.0f, 1.0f},  // sun
    {-2.0f, 6.0f, -30.0f, 1.0f, 1.0f, 1.0f, 1.0f}, // glare
    {1.0f, 2.2f, -25.0f, 0.5f, 0.5f, 1.0f, 0.8f},  // blue halo
    {0.7f, 1.8f, -20.0f, 1.0f, 0.5f, 0.5f, 0.8f},  // red halo
};

// The flare frame: -40 degrees about z, then the angle about y, then 50 degrees about z. The
// capture is scaled by 0.1 to keep the far quads inside its -10..10 box.
static Vec3 inFlareFrame(double x, double y, double z, float angle) {
    Vec3 p = rotated(Vec3{x, y, z}, 50.0, Vec3{0, 0, 1});
    p = rotated(p, angle, Vec3{0, 1, 0});
    p = rotated(p, -40.0, Vec3{0, 0, 1});
    return scaled(p, 0.1);
}

static void expectQuadsAt(float angle) {
    plainGlState();
    std::vector<FeedbackPrimitive> out = captureFeedback([angle] {
        glScalef(0.1f, 0.1f, 0.1f);
        drawLensFlare(angle);
    });
    std::vector<FeedbackVertex> corners;
    for (const FeedbackPrimitive& p : out) {
        ASSERT_EQ(p.kind, FEEDBACK_POLYGON);
        corners.insert(corners.end(), p.vertices.begin(), p.vertices.end());
    }
    // GL may hand a quad back whole or as two triangles; either way each corner must be there
    // with its own texture coordinate.
    ASSERT_TRUE(corners.size() == 16u || corners.size() == 24u) << corners.size();
    const size_t perQuad = corners.size() / 4;
    const float tex[4][2] = {{0, 0}, {0, 1}, {1, 1}, {1, 0}};
    for (int q = 0; q < 4; q++) {
        const FlareQuad& quad = QUADS[q];
        const float xy[4][2] = {{quad.low, quad.low},
                                {quad.low, quad.high},
                                {quad.high, quad.high},
                                {quad.high, quad.low}};
        bool seen[4] = {false, false, false, false};
        for (size_t i = 0; i < perQuad; i++) {
            const FeedbackVertex& v = corners[q * perQuad + i];
            int corner = -1;
            for (int k = 0; k < 4; k++) {
                Vec3 expected = inFlareFrame(xy[k][0], xy[k][1], quad.z, angle);
                if (length(added(position(v), scaled(expected, -1.0))) < 1e-3) {
                    corner = k;
                }
            }
            ASSERT_GE(corner, 0) << "angle " << angle << " quad " << q << ": a vertex off its corners at "
                                 << v.x << ", " << v.y << ", " << v.z;
            seen[corner] = true;
            EXPECT_FLOAT_EQ(v.s, tex[corner][0]) << "quad " << q << " corner " << corner;
            EXPECT_FLOAT_EQ(v.t, tex[corner][1]) << "quad " << q << " corner " << corner;
            EXPECT_NEAR(v.r, quad.r, 1e-3);
            EXPECT_NEAR(v.g, quad.g, 1e-3);
            EXPECT_NEAR(v.b, quad.b, 1e-3);
            EXPECT_NEAR(v.a, quad.a, 1e-3);
        }
        for (int k = 0; k < 4; k++) {
            EXPECT_TRUE(seen[k]) << "angle " << angle << " quad " << q << " lacks corner " << k;
        }
    }
}

TEST(LensFlare, AtAngleZeroTheQuadsAreOnlyTurnedTenDegreesAboutZ) { expectQuadsAt(0.0f); }

TEST(LensFlare, SwingsAboutYWithTheAngle) {
    expectQuadsAt(90.0f);
    expectQuadsAt(213.0f);
}
