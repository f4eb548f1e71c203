// Frame composition in a real GL context: where the robots are placed and what display changes.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "tests/support/data_dir.h"
#include "tests/support/gl_context.h"
#include "tests/game/scenario.h"
#include "rules/fingerprint.h"
#include "scenery/backgrnd.h"

class DisplayTest : public ::testing::Test {
protected:
    Scenario s;

    void SetUp() override {
        openTestGlWindow();
        static bool backdropBuilt = false;
        ScopedWorkingDirectory inData(dataDirectory());
        if (!backdropBuilt) {
            createBackground();
            backdropBuilt = true;
        }
        s.world.moves.loadTextures();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
    }

    // Draws one frame and checks that the modelview stack is left as deep as it was.
    void display() {
        int depth = modelviewDepth();
        s.world.display();
        EXPECT_EQ(modelviewDepth(), depth);
        EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    }

    // Player 1 winds up with paper and releases; then the special runs to the given clock.
    void lungeToClock(int player, int clock) {
        s.play(player == 1 ? player1(PAPER) : player2(PAPER));
        s.wait(9);
        s.play(player == 1 ? player1(ROCK) : player2(ROCK));
        s.wait(clock / 5 - 1);
        ASSERT_EQ(s.clock(player), clock);
    }
};

TEST_F(DisplayTest, FirstFramePlacesTheRobotsAtTheirPositions) {
    s.world.update();
    display();
    EXPECT_FLOAT_EQ(s.world.drawPos1, -5.0f);
    EXPECT_FLOAT_EQ(s.world.drawPos2, 5.0f);
}

TEST_F(DisplayTest, LungingPlayerOneIsDrawnAtReachFromTheOpponent) {
    lungeToClock(1, 70);
    display();
    EXPECT_FLOAT_EQ(s.world.drawPos1, 4.0f);  // reach 1 from player 2's drawn 5.0
    EXPECT_FLOAT_EQ(s.world.fight.pos1, -5.0f);
    EXPECT_FLOAT_EQ(s.world.drawPos2, 5.0f);
    s.wait(3);  // clock 85: between reach 1 at 70 and 5 at 90
    display();
    EXPECT_FLOAT_EQ(s.world.drawPos1, 5.0f - 4.0f);
}

TEST_F(DisplayTest, LungingPlayerTwoIsDrawnAgainstPlayerOnesNewX) {
    lungeToClock(2, 55);
    display();
    EXPECT_FLOAT_EQ(s.world.drawPos1, -5.0f);
    EXPECT_FLOAT_EQ(s.world.drawPos2, -5.0f + 5.5f);
    EXPECT_FLOAT_EQ(s.world.fight.pos2, 5.0f);
}

TEST_F(DisplayTest, ParticlesAdvanceByTheTickStep) {
    s.place(-0.75f, 0.75f);
    s.play(player1(PAPER));
    ASSERT_EQ(s.world.moves.particles.size(), 20u);
    // The rules' hit on player 2 becomes a burst from its x, at half height.
    EXPECT_FLOAT_EQ(s.world.moves.particles[0][2], (float)(0.75 - 0.2));
    EXPECT_FLOAT_EQ(s.world.moves.particles[0][3], 0.5f);
    EXPECT_FLOAT_EQ(s.world.moves.particles[0][8], 0.0f);
    display();
    EXPECT_FLOAT_EQ(s.world.moves.particles[0][0], 5.0f);
    s.world.fight.tickStep = 1;
    display();
    EXPECT_FLOAT_EQ(s.world.moves.particles[0][0], 6.0f);
}

TEST_F(DisplayTest, DrawingChangesNothingOfTheFight) {
    s.play(player1(PAPER));
    s.wait(3);
    uint32_t before = fightFingerprint(s.world.fight);
    int clock1 = s.clock(1);
    display();
    display();
    EXPECT_EQ(fightFingerprint(s.world.fight), before);
    EXPECT_EQ(s.clock(1), clock1);
    EXPECT_EQ(s.life(1), 100);
    EXPECT_EQ(s.life(2), 100);
    EXPECT_FLOAT_EQ(s.world.fight.pos1, -5.0f);
}
