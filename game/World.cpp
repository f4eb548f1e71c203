// World: construction and the fight's start-up.
#include "game/World.h"

const float DistCAC = 2.0f;
const float DistCACL = 4.0f;
const float limiteContactRobots = 1.0f;

World::World() {}

World::~World() {}

void World::init() {
    moteur.init();
    moves.loadMoves();
    moves.loadTextures();
    setStartingValues();
}

void World::setStartingValues() {
    pos1 = -5.0f;
    pos2 = 5.0f;
    drawPos1 = pos1;
    drawPos2 = pos2;
    speed1 = speed2 = 0.0f;
    clock1 = clock2 = 0;
    duelScore = 0;
    life1 = 100;
    life2 = 100;
    timer = 1000;
    tickStep = 5;
    setInputs();
    webcamOn = true;
}
