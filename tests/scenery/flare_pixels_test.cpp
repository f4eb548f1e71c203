// The lens flare as the game shows it: the glare's light runs unbroken across the sun, and the
// stars show through the glare.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "render/Moteur3d.h"
#include "render/camera.h"
#include "render/game_window.h"
#include "scenery/backgrnd.h"
#include "tests/scenery/scenery_support.h"
#include "tests/support/data_dir.h"

static const int WIDTH = 800;
static const int HEIGHT = 600;
// Earth turns that put the flare near the picture's middle, with the camera at rest.
static const float TURNS[] = {350.0f, 0.0f};

struct Picture {
    std::vector<unsigned char> rgb;  // rows from the bottom

    int brightness(int x, int y) const {
        if (x < 0 || y < 0 || x >= WIDTH || y >= HEIGHT) {
            return 0;
        }
        const unsigned char* p = &rgb[(y * WIDTH + x) * 3];
        return p[0] + p[1] + p[2];
    }
    // Stars are purple; the flare is white to yellow and the Earth's shells blue.
    bool star(int x, int y) const {
        const unsigned char* p = &rgb[(y * WIDTH + x) * 3];
        return p[0] > 40 && p[2] > 40 && p[0] > p[1] + 15 && p[2] > p[1] + 15;
    }
};

// The camera with both robots at their start, 10 apart, as the fight's frame places it.
static void placeCameraAtRest() {
    glLoadIdentity();
    Camera camera;
    camera.updateCamera(-5.0f, 5.0f);
    camera.placeCamera();
}

// One backdrop frame in the game's projection, light and blending, read back.
static Picture backdropAt(float turn) {
    plainGlState();
    {
        ScopedWorkingDirectory inData(dataDirectory());
        std::srand(1);
        createBackground();
    }
    setProjection();
    setLightingAndBlending();
    clearWindow();
    placeCameraAtRest();
    Moteur3d().setLight();
    angleRotationEarth = turn;
    drawBackground();
    glPopMatrix();
    GLboolean depthWrites = GL_FALSE;
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
    EXPECT_TRUE(depthWrites) << "the robots drawn next need depth writes on again";
    Picture picture;
    picture.rgb.resize(WIDTH * HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, picture.rgb.data());
    return picture;
}

// Where a point of the glare's plane lands in the window: the flare's frame is -40 degrees about
// z, the turn about y and 50 degrees about z, the glare's quad x and y -2 to 6 at z -30.
static void onScreen(float turn, double x, double y, double window[2]) {
    placeCameraAtRest();
    glRotatef(-40.0f, 0.0f, 0.0f, 1.0f);
    glRotatef(turn, 0.0f, 1.0f, 0.0f);
    glRotatef(50.0f, 0.0f, 0.0f, 1.0f);
    GLdouble modelview[16], projection[16], depth;
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    gluProject(x, y, -30.0, modelview, projection, viewport, &window[0], &window[1], &depth);
    glPopMatrix();
}

// Brightness along one of the glare's two main arms, tip to tip through the sun: at each step
// the brightest pixel a little to either side, as the arm is a pixel or two wide.
static std::vector<int> armProfile(const Picture& picture, float turn, bool alongX) {
    std::vector<int> profile;
    for (double t = -1.5; t <= 5.5; t += 0.01) {
        double point[2], aside[2];
        onScreen(turn, alongX ? t : 2.0, alongX ? 2.0 : t, point);
        onScreen(turn, alongX ? t : 2.05, alongX ? 2.05 : t, aside);
        double dx = aside[0] - point[0], dy = aside[1] - point[1];
        double unit = std::sqrt(dx * dx + dy * dy);
        int brightest = 0;
        for (double s = -1.5; s <= 1.5; s += 0.5) {
            int x = (int)std::lround(point[0] + s * dx / unit);
            int y = (int)std::lround(point[1] + s * dy / unit);
            brightest = std::max(brightest, picture.brightness(x, y));
        }
        profile.push_back(brightest);
    }
    return profile;
}

// Light rises toward the sun and falls beyond it: the least share, in percent, that a step of
// the arm keeps of the light the arm has on both of its sides. A dark bar keeps little.
static int dimmestStep(const std::vector<int>& arm) {
    std::vector<int> fromEnd(arm.size() + 1, 0);
    for (size_t i = arm.size(); i-- > 0;) {
        fromEnd[i] = std::max(fromEnd[i + 1], arm[i]);
    }
    int fromStart = 0, dimmest = 100;
    for (size_t i = 0; i < arm.size(); i++) {
        fromStart = std::max(fromStart, arm[i]);
        int around = std::min(fromStart, fromEnd[i]);
        dimmest = around >= 30 ? std::min(dimmest, arm[i] * 100 / around) : dimmest;
    }
    return dimmest;
}

// Star pixels inside the glare's quad: on the same side of each of its four edges.
static int starPixelsInGlare(const Picture& picture, float turn) {
    double corners[4][2];
    onScreen(turn, -2.0, -2.0, corners[0]);
    onScreen(turn, 6.0, -2.0, corners[1]);
    onScreen(turn, 6.0, 6.0, corners[2]);
    onScreen(turn, -2.0, 6.0, corners[3]);
    int stars = 0;
    for (int y = 0; y < HEIGHT; y++) {
        for (int x = 0; x < WIDTH; x++) {
            int sides = 0;
            for (int k = 0; k < 4; k++) {
                const double* a = corners[k];
                const double* b = corners[(k + 1) % 4];
                double cross = (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0]);
                sides += cross > 0 ? 1 : -1;
            }
            stars += (sides == 4 || sides == -4) && picture.star(x, y) ? 1 : 0;
        }
    }
    return stars;
}

TEST(FlarePixels, TheGlareRunsUnbrokenAcrossTheSunAndTheStarsShowThroughIt) {
    for (float turn : TURNS) {
        Picture picture = backdropAt(turn);
        EXPECT_GE(dimmestStep(armProfile(picture, turn, true)), 60)
            << "turn " << turn << ": a dark bar across the arm along x";
        EXPECT_GE(dimmestStep(armProfile(picture, turn, false)), 60)
            << "turn " << turn << ": a dark bar across the arm along y";
        // About a dozen stars, of four pixels each, lie behind the glare at these turns.
        EXPECT_GE(starPixelsInGlare(picture, turn), 20)
            << "turn " << turn << ": the glare hides the stars";
    }
}
