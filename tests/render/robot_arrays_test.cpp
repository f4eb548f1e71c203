// Robots drawn from arrays: the same pixels and the same GL state after them as one call a vertex.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "animation/filreader.h"
#include "bench/robot_reference.h"
#include "render/Moteur3d.h"
#include "tests/support/data_dir.h"
#include "tests/support/gl_context.h"

static const int WIDTH = 800;
static const int HEIGHT = 600;

struct Picture {
    std::vector<unsigned char> pixels;
    float normalAfter[3];
};

// Both robots as the frame places them, then a spark lit with the normal the robot left behind.
static Picture pictureOf(const Mesh& pose, bool arrays) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glNormal3f(0.3f, -0.5f, 0.8f);
    Moteur3d moteur;
    for (int player = 1; player <= 2; player++) {
        glLoadIdentity();
        moteur.setLight();
        moteur.placeJoueur(player, -1.0f, 1.0f, 30.0f);
        arrays ? moteur.draw(pose) : drawOneCallPerVertex(pose);
    }
    Picture picture;
    glGetFloatv(GL_CURRENT_NORMAL, picture.normalAfter);
    glLoadIdentity();
    glLineWidth(40.0f);
    moteur.draw(RecordList{{0, 1, -1.5f, 1.0f, 0, 300, 0, 0, 1}});
    glLineWidth(1.0f);
    glFinish();
    picture.pixels.resize(WIDTH * HEIGHT * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, picture.pixels.data());
    return picture;
}

static void expectSamePicture(const Mesh& pose, const std::string& what) {
    Picture arrays = pictureOf(pose, true);
    Picture calls = pictureOf(pose, false);
    int lit = 0, differing = 0;
    for (size_t i = 0; i < calls.pixels.size(); i += 3) {
        lit += calls.pixels[i] + calls.pixels[i + 1] + calls.pixels[i + 2] > 30;
        differing += arrays.pixels[i] != calls.pixels[i] || arrays.pixels[i + 1] != calls.pixels[i + 1] ||
                     arrays.pixels[i + 2] != calls.pixels[i + 2];
    }
    EXPECT_GT(lit, 5000) << what << ": both robots should show";
    EXPECT_EQ(differing, 0) << what;
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(arrays.normalAfter[i], calls.normalAfter[i]) << what;
    }
}

TEST(RobotArrays, EveryPoseOfTheGameLooksAsDrawnOneCallAVertex) {
    openTestGlWindow();
    setProjection();
    setLightingAndBlending();
    ScopedWorkingDirectory inData(dataDirectory());
    for (const char* file : {"Punch00.txt", "HeadPunch03.txt", "Ayuken02.txt", "Banana03.txt"}) {
        FileReader reader(file);
        expectSamePicture(reader.getAll(), file);
    }
}

// Corners whose normal number is out of its table keep the normal before them, the first ones
// the GL's current normal, in both ways of drawing.
TEST(RobotArrays, CornersWithoutANormalKeepThePreviousOne) {
    openTestGlWindow();
    setProjection();
    setLightingAndBlending();
    ScopedWorkingDirectory inData(dataDirectory());
    FileReader reader("Punch00.txt");
    Mesh pose = reader.getAll();
    MeshList& faces = pose[MESH_FACES];
    for (size_t f = 0; f < faces.size(); f += 3) {
        faces[f][(f / 3 % 3) * 3 + 2] = 0;
    }
    faces[0][2] = faces[0][5] = faces[0][8] = 99999;
    faces.back()[8] = -4;
    expectSamePicture(pose, "spoiled normals");
}
