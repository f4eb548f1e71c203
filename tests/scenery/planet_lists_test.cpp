// The backdrop replays its planets from display lists and culls the Earth's far half: the picture
// must be exactly the one of subdividing and sending every planet vertex by vertex.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "tests/support/data_dir.h"
#include "render/Moteur3d.h"
#include "scenery/Mars.h"
#include "scenery/backgrnd.h"
#include "scenery/lensflare.h"
#include "tests/scenery/scenery_support.h"

static const int WIDTH = 800;
static const int HEIGHT = 600;

// The game's projection, light and blending, as its 3D engine sets them at start and each frame.
static void gameGlState() {
    plainGlState();
    setProjection();
    setLightingAndBlending();
    Moteur3d().setLight();
}

// The backdrop's frame written out plainly: every planet subdivided and sent vertex by vertex,
// nothing culled.
static void drawBackgroundPlainly() {
    drawLensFlare(angleRotationEarth);
    glColor3f(1.0f, 1.0f, 1.0f);
    glTranslatef(-4.0f, -4.0f, -6.0f);
    glRotatef(-40.0f, 0.0f, 0.0f, 1.0f);
    angleRotationEarth += 1.0f;
    glRotatef(angleRotationEarth, 0.0f, 1.0f, 0.0f);

    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
    drawsphere(3, 4.0f);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 1.0f, 0.4f);
    drawsphere(3, 4.4f);
    glColor4f(0.0f, 0.0f, 1.0f, 0.2f);
    drawsphere(3, 4.8f);
    glPopMatrix();

    glPushMatrix();
    glTranslatef(-6.0f, 6.0f, 30.0f);
    glRotatef(angleRotationEarth / -2.0f, -2.0f, 1.0f, 1.0f);
    drawMars(3, 3.0f);
    glPopMatrix();

    glPointSize(2.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_POINTS);
    for (size_t i = 0; i < stars.size(); i++) {
        glColor3f(stars[i][3], stars[i][4], stars[i][5]);
        glVertex3f(stars[i][0], stars[i][1], stars[i][2]);
    }
    glEnd();
}

static std::vector<unsigned char> pictureOf(void (*draw)(), float angle) {
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    angleRotationEarth = angle;
    draw();
    glFinish();
    std::vector<unsigned char> pixels(WIDTH * HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

static int differingPixels(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        if (a[i] != b[i] || a[i + 1] != b[i + 1] || a[i + 2] != b[i + 2]) {
            count++;
        }
    }
    return count;
}

static int litPixels(const std::vector<unsigned char>& a) {
    int count = 0;
    for (size_t i = 0; i < a.size(); i += 3) {
        count += a[i] + a[i + 1] + a[i + 2] > 60 ? 1 : 0;
    }
    return count;
}

TEST(PlanetLists, TheBackdropLooksExactlyAsDrawnVertexByVertexAtEveryTurn) {
    gameGlState();
    {
        ScopedWorkingDirectory inData(dataDirectory());
        std::srand(1);
        createBackground();
    }
    for (float angle : {90.0f, 135.0f, 200.0f, 271.0f, 359.0f}) {
        std::vector<unsigned char> replayed = pictureOf(drawBackground, angle);
        std::vector<unsigned char> plain = pictureOf(drawBackgroundPlainly, angle);
        ASSERT_GT(litPixels(plain), WIDTH * HEIGHT / 10) << "the Earth should fill part of the picture";
        EXPECT_EQ(differingPixels(replayed, plain), 0) << "at a turn of " << angle;
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

TEST(PlanetLists, ABackdropMadeAgainReplaysItsNewPlanets) {
    gameGlState();
    ScopedWorkingDirectory inData(dataDirectory());
    std::srand(1);
    createBackground();
    std::srand(7);
    createBackground();
    for (float angle : {90.0f, 180.0f}) {
        std::vector<unsigned char> again = pictureOf(drawBackground, angle);
        std::vector<unsigned char> plain = pictureOf(drawBackgroundPlainly, angle);
        EXPECT_EQ(differingPixels(again, plain), 0) << "at a turn of " << angle;
    }
}

// A new GL context after a change of window mode holds none of the backdrop's textures or lists:
// made again from what the backdrop keeps, the picture is the one of before.
TEST(PlanetLists, TheBackdropRemadeInANewContextLooksTheSame) {
    gameGlState();
    ScopedWorkingDirectory inData(dataDirectory());
    std::srand(3);
    createBackground();
    std::vector<unsigned char> before = pictureOf(drawBackground, 120.0f);
    unsigned int textures[4] = {textureId, textureId1, textureId2, textureId3};
    glDeleteTextures(4, textures);
    glDeleteLists(1, 64);
    ASSERT_NE(differingPixels(pictureOf(drawBackground, 120.0f), before), 0);
    remakeBackgroundGl();
    EXPECT_EQ(differingPixels(pictureOf(drawBackground, 120.0f), before), 0);
}
