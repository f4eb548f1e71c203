// Draws each of the eighteen key poses as the 3D engine does, into build-dir pictures to look at.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "animation/filreader.h"
#include "tests/animation/motion_files.h"
#include "render/Moteur3d.h"
#include "tests/support/data_dir.h"
#include "tests/support/gl_context.h"

namespace {

const int imageWidth = 800;
const int imageHeight = 600;

// Centre and radius of all poses together, in drawn units (the engine divides by 4), so that
// every picture shares one scale and the lunges show how far they reach.
void boundingSphere(const std::vector<Mesh>& poses, double centre[3], double& radius) {
    double low[3] = {1e30, 1e30, 1e30}, high[3] = {-1e30, -1e30, -1e30};
    for (const Mesh& pose : poses) {
        for (const MeshRow& v : pose[MESH_VERTICES]) {
            for (int j = 0; j < 3; j++) {
                low[j] = std::min(low[j], v[j] / 4.0);
                high[j] = std::max(high[j], v[j] / 4.0);
            }
        }
    }
    radius = 0;
    for (int j = 0; j < 3; j++) {
        centre[j] = (low[j] + high[j]) / 2;
        radius = std::max(radius, (high[j] - low[j]) / 2);
    }
}

// Left half: turned as player 1 stands in a fight, seen from the side. Right half: three
// quarters from the front, a little from above.
void drawPose(Moteur3d& engine, const Mesh& pose, const double centre[3], double radius) {
    const GLfloat light[4] = {1, 2, 1, 0};
    const GLfloat white[4] = {1, 1, 1, 1};
    glClearColor(0.1f, 0.1f, 0.15f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_NORMALIZE);
    const double turns[2] = {90, 30};
    const double tilts[2] = {0, 15};
    for (int view = 0; view < 2; view++) {
        glViewport(view * imageWidth / 2, 0, imageWidth / 2, imageHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(45.0, (imageWidth / 2.0) / imageHeight, 0.1, 100.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glLightfv(GL_LIGHT0, GL_POSITION, light);
        glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
        glTranslated(0, 0, -radius * 4.2);
        glRotated(tilts[view], 1, 0, 0);
        glRotated(turns[view], 0, 1, 0);
        glTranslated(-centre[0], -centre[1], -centre[2]);
        glColor4f(PLAYER1_COLOR[0], PLAYER1_COLOR[1], PLAYER1_COLOR[2], 1);
        engine.draw(pose);
    }
    glViewport(0, 0, imageWidth, imageHeight);
}

// Writes the back buffer as a binary PPM, top row first; returns how many pixels the robot lit.
int savePicture(const std::string& path) {
    std::vector<unsigned char> pixels((size_t)imageWidth * imageHeight * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, imageWidth, imageHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    std::ofstream out(path, std::ios::binary);
    out << "P6\n" << imageWidth << " " << imageHeight << "\n255\n";
    int lit = 0;
    for (int y = imageHeight - 1; y >= 0; y--) {
        const unsigned char* row = &pixels[(size_t)y * imageWidth * 3];
        out.write((const char*)row, imageWidth * 3);
        for (int x = 0; x < imageWidth; x++) {
            lit += row[x * 3 + 2] > 60;  // the robot is bluish; the backdrop is darker
        }
    }
    return lit;
}

TEST(PoseImages, EveryKeyPoseDrawsAVisibleRobot) {
    std::vector<Mesh> poses;
    {
        ScopedWorkingDirectory inside(dataDirectory());
        for (const char* name : motionFileNames) {
            ASSERT_TRUE(std::filesystem::exists(name)) << name << " is missing from data/";
            poses.push_back(readMotionFile(name));
        }
    }
    openTestGlWindow();
    double centre[3], radius;
    boundingSphere(poses, centre, radius);
    ASSERT_GT(radius, 0);
    std::string folder = std::string(VANTORIX_TEST_TOOLS_DIR) + "/poses";
    std::filesystem::create_directories(folder);
    Moteur3d engine;
    for (size_t i = 0; i < poses.size(); i++) {
        std::string name = motionFileNames[i];
        drawPose(engine, poses[i], centre, radius);
        int lit = savePicture(folder + "/" + name.substr(0, name.size() - 4) + ".ppm");
        // Each view shows a robot of some size, not a speck nor a screen filled edge to edge.
        EXPECT_GT(lit, imageWidth * imageHeight / 50) << name;
        EXPECT_LT(lit, imageWidth * imageHeight / 2) << name;
    }
}

}  // namespace
