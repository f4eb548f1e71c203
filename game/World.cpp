// World: construction and the fight's start-up.
#include "game/World.h"

World::World() {}

World::~World() {}

void World::init() {
    moteur.init();
    moves.loadMoves();
    moves.loadTextures();
    setStartingValues();
}

void World::setStartingValues() {
    fight = startingFight();
    drawPos1 = fight.pos1;
    drawPos2 = fight.pos2;
    showLives();
    setInputs();
    webcamOn = true;
}

void World::showLives() {
    shownLife1 = fight.life1;
    shownLife2 = fight.life2;
}
