// The game as it starts for real: game window, sound on SDL's dummy driver, moves and textures.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "game/World.h"
#include "rules/fingerprint.h"
#include "tests/support/data_dir.h"
#include "tests/support/gl_context.h"

// The first frame shows the starting fight: full life bars on the overlay, both robots where the
// fight puts them, drawn in the 800 x 600 picture (something besides the black of space on
// either side of the centre).
TEST(WorldStart, TheFirstFrameShowsTheStartingFight) {
    static World world;
    {
        ScopedWorkingDirectory inData(dataDirectory());
        world.init();
    }
    EXPECT_EQ(fightFingerprint(world.fight), fightFingerprint(startingFight()));
    EXPECT_EQ(world.shownLife1, 100);
    EXPECT_EQ(world.shownLife2, 100);
    world.update();
    world.display();
    EXPECT_EQ(glGetError(), (GLenum)GL_NO_ERROR);
    EXPECT_FLOAT_EQ(world.drawPos1, -5.0f);
    EXPECT_FLOAT_EQ(world.drawPos2, 5.0f);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    int litLeft = 0, litRight = 0;
    for (int y = 100; y < 500; y += 4) {
        for (int x = 40; x < 760; x += 4) {
            unsigned char rgb[3];
            readPixel(x, y, rgb);
            if (rgb[0] + rgb[1] + rgb[2] > 60) {
                (x < 400 ? litLeft : litRight)++;
            }
        }
    }
    EXPECT_GT(litLeft, 0);
    EXPECT_GT(litRight, 0);
}
