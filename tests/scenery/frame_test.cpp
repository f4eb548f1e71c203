// One frame of the backdrop: what is drawn, in which order, and at which turn of the Earth.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "tests/support/data_dir.h"
#include "scenery/Mars.h"
#include "scenery/backgrnd.h"
#include "scenery/lensflare.h"
#include "tests/scenery/scenery_support.h"

static const double SCALE = 0.1;  // keeps the sky of radius 40 inside the capture's -10..10 box

// A point of the Earth's turning frame, back in the frame drawBackground was called in.
static Vec3 fromEarthFrame(const Vec3& p, double turn) {
    Vec3 q = rotated(p, turn, Vec3{0, 1, 0});
    q = rotated(q, -40.0, Vec3{0, 0, 1});
    return scaled(added(q, Vec3{-4, -4, -6}), SCALE);
}

static std::vector<FeedbackPrimitive> captureFrame() {
    return captureFeedback([] {
        glScalef((float)SCALE, (float)SCALE, (float)SCALE);
        drawBackground();
    });
}

static void expectAt(const FeedbackVertex& v, const Vec3& expected, const char* what) {
    EXPECT_NEAR(v.x, expected.x, 1e-3) << what;
    EXPECT_NEAR(v.y, expected.y, 1e-3) << what;
    EXPECT_NEAR(v.z, expected.z, 1e-3) << what;
}

static void expectColour(const FeedbackVertex& v, float r, float g, float b, float a, const char* what) {
    EXPECT_NEAR(v.r, r, 1e-3) << what;
    EXPECT_NEAR(v.g, g, 1e-3) << what;
    EXPECT_NEAR(v.b, b, 1e-3) << what;
    EXPECT_NEAR(v.a, a, 1e-3) << what;
}

class FirstFrame : public testing::Test {
protected:
    void SetUp() override {
        plainGlState();
        ScopedWorkingDirectory inData(dataDirectory());
        std::srand(1);
        createBackground();
    }
};

TEST_F(FirstFrame, FlareAtNinetyThenEarthShellsMarsAndStarsAtNinetyOne) {
    ASSERT_EQ(angleRotationEarth, 90.0f);
    std::vector<FeedbackPrimitive> flare = captureFeedback([] {
        glScalef((float)SCALE, (float)SCALE, (float)SCALE);
        drawLensFlare(90.0f);
    });
    std::vector<FeedbackPrimitive> frame = captureFrame();
    EXPECT_EQ(angleRotationEarth, 91.0f);

    // The Earth's far half is culled: only the triangles turned towards the viewer come back.
    const size_t spheres = frame.size() - flare.size() - 800;
    const size_t earth = spheres - 3 * 1280;
    ASSERT_GT(earth, 400u);
    ASSERT_LT(earth, 880u);
    for (size_t i = 0; i < flare.size(); i++) {
        ASSERT_EQ(frame[i].vertices.size(), flare[i].vertices.size());
        for (size_t k = 0; k < flare[i].vertices.size(); k++) {
            expectAt(frame[i].vertices[k], position(flare[i].vertices[k]), "flare");
        }
    }

    // Each sphere starts with icosahedron vertex 0, the first corner of its first face.
    const Vec3 first{vdata[0][0], vdata[0][1], vdata[0][2]};
    const Vec3 upright = rotated(first, 90.0, Vec3{1, 0, 0});
    const double radii[3] = {4.0, 4.4, 4.8};
    const float alphas[3] = {1.0f, 0.4f, 0.2f};
    const float blues[3] = {1.0f, 1.0f, 1.0f};
    const float others[3] = {1.0f, 0.0f, 0.0f};
    for (size_t i = 0; i < earth; i++) {
        const FeedbackPrimitive& p = frame[flare.size() + i];
        ASSERT_EQ(p.kind, FEEDBACK_POLYGON);
        expectColour(p.vertices[0], 1.0f, 1.0f, 1.0f, 1.0f, "earth");
        for (const FeedbackVertex& v : p.vertices) {
            Vec3 centre = fromEarthFrame(Vec3{0, 0, 0}, 91.0);
            EXPECT_NEAR(length(added(position(v), scaled(centre, -1.0))), 4.0 * SCALE, 1e-3) << "earth";
        }
    }
    for (int shell = 1; shell < 3; shell++) {
        const FeedbackPrimitive& p = frame[flare.size() + earth + (shell - 1) * 1280];
        ASSERT_EQ(p.kind, FEEDBACK_POLYGON);
        expectAt(p.vertices[0], fromEarthFrame(scaled(upright, radii[shell]), 91.0), "shell");
        expectColour(p.vertices[0], others[shell], others[shell], blues[shell], alphas[shell], "shell");
    }

    const FeedbackPrimitive& mars = frame[flare.size() + earth + 2 * 1280];
    Vec3 marsVertex = rotated(scaled(first, 3.0), 91.0 / -2.0, Vec3{-2, 1, 1});
    expectAt(mars.vertices[0], fromEarthFrame(added(marsVertex, Vec3{-6, 6, 30}), 91.0), "mars");

    for (int i = 0; i < 800; i++) {
        const FeedbackPrimitive& p = frame[flare.size() + spheres + i];
        ASSERT_EQ(p.kind, FEEDBACK_POINT);
        const std::vector<float>& s = stars[i];
        expectAt(p.vertices[0], fromEarthFrame(Vec3{s[0], s[1], s[2]}, 91.0), "star");
        expectColour(p.vertices[0], s[3], s[4], s[5], 1.0f, "star");
    }
    float pointSize = 0;
    glGetFloatv(GL_POINT_SIZE, &pointSize);
    EXPECT_EQ(pointSize, 2.0f);
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
}

TEST_F(FirstFrame, EachFrameTurnsOneDegreeWithoutWrapping) {
    angleRotationEarth = 359.0f;
    std::vector<FeedbackPrimitive> frame = captureFrame();
    EXPECT_EQ(angleRotationEarth, 360.0f);
    frame = captureFrame();
    EXPECT_EQ(angleRotationEarth, 361.0f);
    const Vec3 first{vdata[0][0], vdata[0][1], vdata[0][2]};
    const Vec3 upright = rotated(first, 90.0, Vec3{1, 0, 0});
    size_t innerShell = frame.size() - 800 - 3 * 1280;
    expectAt(frame[innerShell].vertices[0], fromEarthFrame(scaled(upright, 4.4), 361.0), "shell");
}
