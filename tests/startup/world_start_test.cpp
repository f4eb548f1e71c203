// The fight's state record and the World as start-up leaves it.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include "game/codes.h"

#include "game/World.h"
#include "tests/support/data_dir.h"

TEST(GameRecord, AnyPlayerOtherThanOneIsPlayerTwo) {
    Game game;
    for (int other : {0, 2, 3, -1}) {
        game.setPstate(other, 4);
        game.setPmove(other, 5);
        game.setCsign(other, 2);
        game.setLsign(other, 3);
        EXPECT_EQ(game.pstate2, 4);
        EXPECT_EQ(game.pmove2, 5);
        EXPECT_EQ(game.csign2, 2);
        EXPECT_EQ(game.lsign2, 3);
        EXPECT_EQ(game.getPstate(2), SPECIAL);
        game.setPstate(2, 0);
        EXPECT_EQ(game.getPstate(other), 0);
    }
    EXPECT_EQ(game.pstate1, 0);
    EXPECT_EQ(game.pmove1, 0);
}

TEST(GameRecord, LastSignIsKeptApartFromTheCurrentSign) {
    Game game;
    game.setCsign(1, 2);
    game.setLsign(1, 3);
    game.setCsign(1, 1);
    EXPECT_EQ(game.getLsign(1), 3);
    EXPECT_EQ(game.getCsign(1), 1);
}

TEST(GameRecord, InitStartsAFreeFightWithBothPlayersIdle) {
    Game game;
    game.setPstate(1, 3);
    game.setPmove(2, 6);
    game.setGameState(3);
    game.init();
    EXPECT_EQ(game.getGameState(), 1);
    EXPECT_EQ(game.getPstate(1) + game.getPmove(1) + game.getCsign(1) + game.getLsign(1), 0);
    EXPECT_EQ(game.getPstate(2) + game.getPmove(2) + game.getCsign(2) + game.getLsign(2), 0);
}

// One World, started for real: game window, sound on SDL's dummy driver, moves and textures.
TEST(WorldStart, InitOpensTheGameAndSetsTheStartingValues) {
    static World world;
    {
        ScopedWorkingDirectory inData(dataDirectory());
        world.init();
    }
    EXPECT_FLOAT_EQ(world.fight.pos1, -5.0f);
    EXPECT_FLOAT_EQ(world.fight.pos2, 5.0f);
    EXPECT_FLOAT_EQ(world.fight.pos2 - world.fight.pos1, 10.0f);
    EXPECT_FLOAT_EQ(world.drawPos1, -5.0f);
    EXPECT_FLOAT_EQ(world.drawPos2, 5.0f);
    EXPECT_EQ(world.fight.speed1, 0.0f);
    EXPECT_EQ(world.fight.speed2, 0.0f);
    EXPECT_EQ(world.fight.clock1 + world.fight.clock2 + world.fight.duelScore, 0);
    EXPECT_EQ(world.fight.life1, 100);
    EXPECT_EQ(world.fight.life2, 100);
    EXPECT_EQ(world.fight.timer, 1000);
    EXPECT_EQ(world.fight.tickStep, 5);
    EXPECT_TRUE(world.webcamOn);
    EXPECT_EQ(world.left1 + world.right1 + world.up1 + world.down1 + world.sign1, 0);
    EXPECT_EQ(world.left2 + world.right2 + world.up2 + world.down2 + world.sign2, 0);
    EXPECT_EQ(world.fight.lastSign1 + world.fight.lastSign2, 0);
    EXPECT_EQ(world.camera.distance, 0.0f);
    EXPECT_EQ(world.camera.middle, 0.0f);
    // Before the first update the record is all zero: state 0, both players idle in move 0.
    EXPECT_EQ(world.fight.game.getGameState(), 0);
    EXPECT_EQ(world.fight.game.getPstate(1) + world.fight.game.getPmove(1), REST);
    EXPECT_EQ(world.fight.game.getPstate(2) + world.fight.game.getPmove(2), REST);
    EXPECT_EQ(world.moves.movePoses.size(), 7u);

    // The engine's fixed state: blending, depth test, lighting and the 800 x 600 viewport.
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
    EXPECT_TRUE(glIsEnabled(GL_COLOR_MATERIAL));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint viewport[4], source, destination;
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
}
