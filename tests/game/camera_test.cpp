// The camera: its distance and middle from the players, and the view transform it issues.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>

#include "tests/support/gl_context.h"
#include "render/camera.h"

TEST(Camera, StartsAtZero) {
    Camera camera;
    EXPECT_EQ(camera.distance, 0.0f);
    EXPECT_EQ(camera.middle, 0.0f);
}

TEST(Camera, DistanceAndMiddle) {
    struct Row {
        float position1, position2, distance, middle;
    };
    const Row rows[] = {
        {-5.0f, 5.0f, 7.2f, 0.0f},   {-2.0f, 4.0f, 4.8f, 1.0f},  {0.0f, 0.5f, 1.8f, 0.25f},
        {-1.0f, 0.0f, 1.8f, -0.5f},  {3.0f, 3.0f, 1.8f, 3.0f},   {2.0f, 1.0f, 1.8f, 1.5f},
        {0.0f, 1.0f, 1.8f, 0.5f},    {0.0f, 0.999f, 1.8f, 0.4995f},
        {0.0f, 1.001f, 1.8006f, 0.5005f},
    };
    for (const Row& row : rows) {
        Camera camera;
        camera.updateCamera(row.position1, row.position2);
        EXPECT_NEAR(camera.distance, row.distance, 1e-5) << row.position1 << " " << row.position2;
        EXPECT_NEAR(camera.middle, row.middle, 1e-6);
    }
}

// The view after placeCamera is L · R · T, with L the pushed look-at (a pull-back of 0.6).
struct View {
    double degrees;
    double shiftX, shiftZ;
    int pushed;
    bool lookAtLeftBelow;
};

static View placedView(const Camera& camera) {
    openTestGlWindow();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    int depth = modelviewDepth();
    camera.placeCamera();
    View view;
    view.pushed = modelviewDepth() - depth;
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    double c = m[0], s = m[8];
    view.degrees = std::atan2(s, c) * 180.0 / 3.14159265358979;
    // Undo the look-at's pull-back, then the rotation, to find the translation.
    double tx = m[12], tz = m[14] + 0.6;
    view.shiftX = c * tx - s * tz;
    view.shiftZ = s * tx + c * tz;
    glPopMatrix();
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    view.lookAtLeftBelow = std::fabs(m[14] + 0.6) < 1e-6 && m[0] == 1.0f && m[12] == 0.0f;
    glLoadIdentity();
    return view;
}

TEST(Camera, PlaceCameraTurnsAndShifts) {
    struct Row {
        float position1, position2, degrees, shiftX, shiftZ;
    };
    const Row rows[] = {
        {-5.0f, 5.0f, 0.0f, 0.0f, -7.2f},
        {-2.0f, 4.0f, 4.108f, -0.5f, -4.8f},
        {0.0f, 0.5f, 2.760f, -0.125f, -1.8f},
        {-1.0f, 0.0f, -5.419f, 0.25f, -1.8f},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.position2);
        Camera camera;
        camera.updateCamera(row.position1, row.position2);
        View view = placedView(camera);
        EXPECT_EQ(view.pushed, 1);
        EXPECT_NEAR(view.degrees, row.degrees, 1e-3);
        EXPECT_NEAR(view.shiftX, row.shiftX, 1e-5);
        EXPECT_NEAR(view.shiftZ, row.shiftZ, 1e-5);
        EXPECT_TRUE(view.lookAtLeftBelow);
    }
}
