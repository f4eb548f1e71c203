// The 3D engine's drawing, captured in a real OpenGL context through feedback mode.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/Moteur3d.h"
#include "tests/support/gl_context.h"

static const float EPS = 1e-3f;

static float minOf(const FeedbackPrimitive& p, int axis) {
    float m = 1e9f;
    for (const FeedbackVertex& v : p.vertices) {
        float c = axis == 0 ? v.x : axis == 1 ? v.y : v.z;
        m = c < m ? c : m;
    }
    return m;
}

static float maxOf(const FeedbackPrimitive& p, int axis) {
    float m = -1e9f;
    for (const FeedbackVertex& v : p.vertices) {
        float c = axis == 0 ? v.x : axis == 1 ? v.y : v.z;
        m = c > m ? c : m;
    }
    return m;
}

// A quad comes back as one polygon or as two triangles sharing an edge; this merges them.
struct Box {
    float x0, x1, y0, y1, z;
    float alpha;
};

static int sharedCorners(const FeedbackPrimitive& a, const FeedbackPrimitive& b) {
    int shared = 0;
    for (const FeedbackVertex& u : a.vertices) {
        for (const FeedbackVertex& v : b.vertices) {
            if (std::fabs(u.x - v.x) < EPS && std::fabs(u.y - v.y) < EPS && std::fabs(u.z - v.z) < EPS) {
                shared++;
            }
        }
    }
    return shared;
}

static std::vector<Box> quadBoxes(const std::vector<FeedbackPrimitive>& primitives) {
    std::vector<Box> boxes;
    for (size_t i = 0; i < primitives.size(); i++) {
        const FeedbackPrimitive& p = primitives[i];
        Box b{minOf(p, 0), maxOf(p, 0), minOf(p, 1), maxOf(p, 1), p.vertices[0].z, p.vertices[0].a};
        if (i > 0 && sharedCorners(primitives[i - 1], p) >= 2) {
            Box& last = boxes.back();
            last = Box{std::min(last.x0, b.x0), std::max(last.x1, b.x1), std::min(last.y0, b.y0),
                       std::max(last.y1, b.y1), last.z, last.alpha};
            continue;
        }
        boxes.push_back(b);
    }
    return boxes;
}

class Moteur3dDraw : public ::testing::Test {
protected:
    void SetUp() override {
        openTestGlWindow();
        glDisable(GL_LIGHTING);
        for (int i = 0; i < NB_TEXTURES; i++) {
            textures[i] = 0;
        }
    }
    Moteur3d moteur;
    unsigned int textures[NB_TEXTURES];
};

static Tower stages(int count, int slot) {
    Tower tower;
    for (int i = 0; i < count; i++) {
        tower.stages[tower.count++] = Stage{0, 1.0f - 0.1f * i, slot};
    }
    return tower;
}

TEST_F(Moteur3dDraw, TowerOneStacksTheNewestOnTop) {
    Tower tower = stages(3, 2);
    std::vector<Box> boxes = quadBoxes(captureFeedback([&] { moteur.draw(tower, 1, textures); }));
    ASSERT_EQ(boxes.size(), 3u);
    // Records are drawn from the newest (index 2) to the oldest.
    EXPECT_NEAR(boxes[0].x0, -1.96f, EPS);
    EXPECT_NEAR(boxes[0].x1, -1.6f, EPS);
    EXPECT_NEAR(boxes[0].y0, 0.3f, EPS);
    EXPECT_NEAR(boxes[0].y1, 0.57f, EPS);
    EXPECT_NEAR(boxes[0].z, 2.0f, EPS);
    EXPECT_NEAR(boxes[0].alpha, 0.8f, EPS);
    EXPECT_NEAR(boxes[1].y0, 0.0f, EPS);
    EXPECT_NEAR(boxes[2].y0, -0.3f, EPS);
    EXPECT_NEAR(boxes[2].alpha, 1.0f, EPS);
}

TEST_F(Moteur3dDraw, TowerModesPlaceMarksAndTheBanner) {
    std::vector<Box> marks = quadBoxes(captureFeedback([&] { moteur.draw(stages(2, 11), 4, textures); }));
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_NEAR(marks[0].x0, 1.2f, EPS);
    EXPECT_NEAR(marks[0].y0, -0.6f, EPS);
    EXPECT_NEAR(marks[0].y1, -0.48f, EPS);
    EXPECT_NEAR(marks[1].y0, -0.75f, EPS);
    // Any mode other than 1 to 4 is the centre banner, every record on the same spot.
    for (int mode : {5, 0, -3}) {
        std::vector<Box> banner = quadBoxes(captureFeedback([&] { moteur.draw(stages(1, 7), mode, textures); }));
        ASSERT_EQ(banner.size(), 1u);
        EXPECT_NEAR(banner[0].x0, -1.0f, EPS);
        EXPECT_NEAR(banner[0].x1, 1.0f, EPS);
        EXPECT_NEAR(banner[0].y0, -1.35f, EPS);
        EXPECT_NEAR(banner[0].y1, -1.05f, EPS);
    }
}

TEST_F(Moteur3dDraw, SlotsOutsideTheTextureTableAreSkipped) {
    Tower tower;
    for (int slot : {12, -1, 1 << 30, 3}) {
        tower.stages[tower.count++] = Stage{0, 1, slot};
    }
    EXPECT_EQ(quadBoxes(captureFeedback([&] { moteur.draw(tower, 1, textures); })).size(), 1u);
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(textures, 12, 0, 0, 1, 1, 1); }).empty());
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(textures, -1, 0, 0, 1, 1, 1); }).empty());
}

TEST_F(Moteur3dDraw, BillboardStandsUprightWithItsOpacity) {
    std::vector<FeedbackPrimitive> got = captureFeedback([&] { moteur.draw(textures, 0, -0.9f, 0.7f, 0.6f, 0.2f, 0.5f); });
    std::vector<Box> boxes = quadBoxes(got);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_NEAR(boxes[0].x0, -1.8f, EPS);
    EXPECT_NEAR(boxes[0].x1, -0.6f, EPS);
    EXPECT_NEAR(boxes[0].y0, 1.05f, EPS);
    EXPECT_NEAR(boxes[0].y1, 1.35f, EPS);
    EXPECT_NEAR(boxes[0].alpha, 0.5f, EPS);
    // The top row of the picture (t = 0) is on the upper edge.
    for (const FeedbackPrimitive& p : got) {
        for (const FeedbackVertex& v : p.vertices) {
            EXPECT_NEAR(v.t, v.y > 1.2f ? 0.0f : 1.0f, EPS);
        }
    }
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

struct LifeBarCase {
    float life;
    float length;
    float red, green;
};

TEST_F(Moteur3dDraw, LifeBarsRunFromRedToTheirLifeColour) {
    for (LifeBarCase c : {LifeBarCase{100, 1.0f, 0, 1}, LifeBarCase{50, 0.5f, 0.5f, 0.5f},
                          LifeBarCase{0, 0, 1, 0}, LifeBarCase{-30, 0, 1, 0}}) {
        std::vector<FeedbackPrimitive> got = captureFeedback([&] { moteur.displayLife(c.life, 100.0f); });
        ASSERT_FALSE(got.empty()) << c.life;
        float left = 1e9f, right = -1e9f;
        for (const FeedbackPrimitive& p : got) {
            for (const FeedbackVertex& v : p.vertices) {
                if (v.x > 0.0f) {
                    continue;  // player 2's bar
                }
                left = std::min(left, v.x);
                right = std::max(right, v.x);
                EXPECT_NEAR(v.z, 2.0f, EPS);
                EXPECT_TRUE(std::fabs(v.y - 1.125f) < EPS || std::fabs(v.y - 1.215f) < EPS) << v.y;
                bool atLeftEnd = std::fabs(v.x + 1.7f) < EPS && c.length > 0;
                EXPECT_NEAR(v.r, atLeftEnd ? 1.0f : c.red, EPS) << c.life;
                EXPECT_NEAR(v.g, atLeftEnd ? 0.0f : c.green, EPS) << c.life;
            }
        }
        EXPECT_NEAR(left, -1.7f, EPS);
        EXPECT_NEAR(right - left, c.length, EPS) << c.life;
    }
}

TEST_F(Moteur3dDraw, PlaceJoueurKeepsTheReachFromTheOpponent) {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    EXPECT_FLOAT_EQ(moteur.placeJoueur(1, -5.0f, 3.0f, 0.5f), 2.5f);
    EXPECT_FLOAT_EQ(moteur.placeJoueur(2, -1.0f, 5.0f, 2.0f), 1.0f);
    // A reach above the gap leaves each robot on its own spot.
    EXPECT_FLOAT_EQ(moteur.placeJoueur(1, -5.0f, 5.0f, 30.0f), -5.0f);
    EXPECT_FLOAT_EQ(moteur.placeJoueur(2, -5.0f, 5.0f, 30.0f), 5.0f);
    glPopMatrix();
}

TEST_F(Moteur3dDraw, PlacedRobotIsTurnedAndTinted) {
    Mesh pose{MeshList{{0, 0, 4}, {4, 0, 0}, {0, 4, 0}}, MeshList{{0, 0}}, MeshList{{0, 0, 1}, {0, 0, 1}, {0, 0, 1}},
              MeshList{{1, 1, 1, 2, 1, 2, 3, 1, 3}}};
    std::vector<FeedbackPrimitive> got = captureFeedback([&] {
        moteur.placeJoueur(1, -5.0f, 5.0f, 30.0f);
        moteur.draw(pose);
    });
    ASSERT_EQ(got.size(), 1u);
    // The file's +z (1 model unit = 0.25 scene units) points at the opponent on the right.
    EXPECT_NEAR(got[0].vertices[0].x, -4.0f, EPS);
    EXPECT_NEAR(got[0].vertices[0].z, 0.0f, EPS);
    EXPECT_NEAR(got[0].vertices[0].b, 1.0f, EPS);
    EXPECT_NEAR(got[0].vertices[0].r, 0.4f, EPS);
}

TEST_F(Moteur3dDraw, FacesWithIndicesOutsideTheirTablesAreSkipped) {
    Mesh pose{MeshList{{0, 0, 0}, {4, 0, 0}, {0, 4, 0}}, MeshList{{0, 0}}, MeshList{{0, 0, 1}},
              MeshList{{1, 1, 1, 2, 1, 1, 4, 1, 1}, {0.5, 1, 1, 2, 1, 1, 3, 1, 1}, {1e300, 1, 1, 2, 1, 1, 3, 1, 1},
                       {1.9, 1, 9, 2, 1, 1, 3.7, 1, 1}, {1, 1}}};
    std::vector<FeedbackPrimitive> got = captureFeedback([&] { moteur.draw(pose); });
    ASSERT_EQ(got.size(), 1u);  // only the face of indices 1.9, 2, 3.7 (truncated to 1, 2, 3)
    EXPECT_NEAR(got[0].vertices[1].x, 1.0f, EPS);
}

TEST_F(Moteur3dDraw, SparksTakeTheirSideColourAndPointAlongTheirMotion) {
    RecordList sparks{Record{0, 0.5f, 1, 2, 3, 10, 0, 0, 0.5f}, Record{0, 1, 0, 0, 0, 0, 0, 0, 1.0f}};
    std::vector<FeedbackPrimitive> got = captureFeedback([&] { moteur.draw(sparks); });
    ASSERT_EQ(got.size(), 2u);
    EXPECT_NEAR(got[0].vertices[0].r, 1.0f, EPS);  // 0.5 is not above 0.5: player 2's colour
    EXPECT_NEAR(got[0].vertices[0].b, 0.4f, EPS);
    EXPECT_NEAR(got[0].vertices[0].a, 0.5f, EPS);
    EXPECT_NEAR(got[0].vertices[1].x, 1.1f, EPS);
    EXPECT_NEAR(got[1].vertices[0].r, 0.4f, EPS);
    EXPECT_NEAR(got[1].vertices[0].b, 1.0f, EPS);
}

TEST_F(Moteur3dDraw, EmptyBatchesDrawNothing) {
    Mesh empty{MeshList(), MeshList(), MeshList(), MeshList()};
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(empty); }).empty());
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(Mesh()); }).empty());
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(RecordList()); }).empty());
    EXPECT_TRUE(captureFeedback([&] { moteur.draw(Tower(), 1, textures); }).empty());
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
}
