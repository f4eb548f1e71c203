// The frame of the fight: backdrop and robots in the camera's view, then the fixed overlay.
#include <GL/gl.h>
#include <GL/glu.h>

#include "render/game_window.h"
#include "scenery/backgrnd.h"
#include "game/World.h"

// Life panels, in overlay units.
static const float PANEL_Y = 0.7f;
static const float PANEL_WIDTH = 0.6f;
static const float PANEL_HEIGHT = 0.2f;
static const float PANEL1_X = -0.9f;
static const float PANEL2_X = 0.3f;
static const int PANEL1_SLOT = 0;  // "CPLifeSM.bmp"
static const int PANEL2_SLOT = 1;  // "CPLifeRS.bmp"
static const int TOWER_COUNT = 5;

// Player 1 stands against player 2's drawn x of the previous frame; player 2 against
// player 1's drawn x of this frame. A lunging move's short reach draws the attacker close to
// the opponent while its position stays.
static void drawPlayer(World& world, int player) {
    glPushMatrix();
    int move = world.fight.game.getPmove(player);
    int clock = player == 1 ? world.fight.clock1 : world.fight.clock2;
    float reach = world.moves.interpolateDist(move, clock);
    if (player == 1) {
        world.drawPos1 = world.moteur.placeJoueur(1, world.fight.pos1, world.drawPos2, reach);
    } else {
        world.drawPos2 = world.moteur.placeJoueur(2, world.drawPos1, world.fight.pos2, reach);
    }
    Mesh& pose = player == 1 ? world.drawnPose1 : world.drawnPose2;
    world.moves.interpolate(move, clock, pose);
    world.moteur.draw(pose);
    glPopMatrix();
}

static void drawOverlay(World& world) {
    Moteur3d& moteur = world.moteur;
    unsigned int* textures = world.moves.getText();
    moteur.displayLife((float)world.fight.life1, (float)world.fight.life2);
    moteur.draw(textures, PANEL1_SLOT, PANEL1_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, 1.0f);
    moteur.draw(textures, PANEL2_SLOT, PANEL2_X, PANEL_Y, PANEL_WIDTH, PANEL_HEIGHT, 1.0f);
    for (int tower = 1; tower <= TOWER_COUNT; tower++) {
        moteur.draw(towerOf(world.fight.towers, tower), tower, textures);
    }
}

void World::displayScenery(float turn) {
    clearWindow();
    glLoadIdentity();
    gluLookAt(0.0, 0.0, 0.6, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    // From where the fight's camera stands at the start of a fight.
    Camera start;
    start.updateCamera(fight.pos1, fight.pos2);
    glPushMatrix();
    glRotatef(turn, 0.0f, 1.0f, 0.0f);
    glTranslatef(start.middle / -2.0f, 0.0f, -start.distance);
    moteur.setLight();
    drawBackground();
    glPopMatrix();
}

void World::display() { drawFight(true); }

void World::displayPaused() { drawFight(false); }

void World::drawFight(bool sparksFly) {
    clearWindow();
    glLoadIdentity();
    camera.placeCamera();

    // The light is set inside the camera's frame so that it stands in the scene's coordinates.
    glPushMatrix();
    moteur.setLight();
    drawBackground();
    glPopMatrix();

    drawPlayer(*this, 1);
    drawPlayer(*this, 2);

    // Sparks advance with the fight's tick, slower during a duel, and move with the camera.
    moteur.draw(sparksFly ? moves.moveParticles(fight.tickStep) : moves.particles);

    // Back to the bare look-at: the overlay stays put while the camera moves.
    glPopMatrix();
    drawOverlay(*this);
}
