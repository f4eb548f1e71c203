// The backdrop replays its planets from display lists and culls the Earth's far half: what the
// picture shows, read back from the frame.
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

static bool lit(const std::vector<unsigned char>& picture, int x, int y) {
    const unsigned char* p = &picture[(y * WIDTH + x) * 3];
    return p[2] > 12;
}

// Where the Earth's disc (its blue atmosphere included) ends on each row from the bottom, as long as
// the row's left end is lit: a picture's first dark pixel from the left edge.
static std::vector<int> earthEdges(const std::vector<unsigned char>& picture) {
    std::vector<int> edges;
    for (int y = 0; y < HEIGHT && lit(picture, 0, y); y++) {
        int x = 0;
        while (x < WIDTH && lit(picture, x, y)) {
            x++;
        }
        edges.push_back(x);
    }
    return edges;
}

// The Earth fills the lower left corner as one disc without holes: row after row, its edge moves
// by a few pixels at most, as a circle's does away from its top.
static void expectWholeEarth(const std::vector<unsigned char>& picture, float angle) {
    std::vector<int> edges = earthEdges(picture);
    ASSERT_GT(edges.size(), (size_t)HEIGHT / 3) << "at a turn of " << angle;
    EXPECT_GT(edges[0], WIDTH / 3) << "at a turn of " << angle;
    for (size_t y = 1; y + 20 < edges.size(); y++) {
        ASSERT_LE(std::abs(edges[y] - edges[y - 1]), 4) << "row " << y << " at a turn of " << angle;
    }
}

// How bright the land is (red and green, the atmosphere being blue) over the disc's inner part.
static double landBrightness(const std::vector<unsigned char>& picture) {
    std::vector<int> edges = earthEdges(picture);
    long sum = 0, count = 0;
    for (size_t y = 0; y < edges.size(); y++) {
        for (int x = 0; x < edges[y] * 3 / 4; x++) {
            const unsigned char* p = &picture[(y * WIDTH + x) * 3];
            sum += p[0] + p[1];
            count++;
        }
    }
    return count == 0 ? 0.0 : (double)sum / count;
}

// The Earth's far half is culled and its planets replayed from lists: the disc stays whole at
// every turn, its face turns with it, and a turn drawn again is the same picture. At turns of 90
// and 135 its sunlit land faces the viewer (about 95 and 100 bright); the far half seen from
// inside, as a culling of the wrong half shows, is dark (5 and 2).
TEST(PlanetLists, TheEarthIsAWholeDiscThatTurnsAndATurnLooksTheSameEachTime) {
    gameGlState();
    {
        ScopedWorkingDirectory inData(dataDirectory());
        std::srand(1);
        createBackground();
    }
    std::vector<unsigned char> previous;
    for (float angle : {90.0f, 135.0f, 200.0f, 271.0f, 359.0f}) {
        std::vector<unsigned char> picture = pictureOf(drawBackground, angle);
        expectWholeEarth(picture, angle);
        if (angle < 180.0f) {
            EXPECT_GT(landBrightness(picture), 50.0) << "at a turn of " << angle;
        }
        EXPECT_EQ(differingPixels(pictureOf(drawBackground, angle), picture), 0) << "at a turn of " << angle;
        if (!previous.empty()) {
            EXPECT_GT(differingPixels(picture, previous), WIDTH * HEIGHT / 20) << "at a turn of " << angle;
        }
        previous = picture;
    }
    EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}

// Made again with other numbers, the backdrop shows its new planets and stars, not the old ones.
TEST(PlanetLists, ABackdropMadeAgainReplaysItsNewPlanets) {
    gameGlState();
    ScopedWorkingDirectory inData(dataDirectory());
    std::srand(7);
    createBackground();
    std::vector<unsigned char> seven = pictureOf(drawBackground, 90.0f);
    std::srand(1);
    createBackground();
    ASSERT_NE(differingPixels(pictureOf(drawBackground, 90.0f), seven), 0);
    std::srand(7);
    createBackground();
    EXPECT_EQ(differingPixels(pictureOf(drawBackground, 90.0f), seven), 0);
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
