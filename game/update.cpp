// The frame's update: the rules step the fight, and what the step reports is played.
#include "game/World.h"
#include "game/frame_inputs.h"

static const int SPARKS_PER_MOVE = 20;

// Sparks fly from the robot that is hit, 20 for each step of the attacking move's id.
static void throwSparks(Moves& moves, const FightHit& hit) {
    std::vector<float> burst = {hit.x, 0.5f, 0.0f, 1.0f, 1.0f, 1.0f};
    moves.newBang(burst, SPARKS_PER_MOVE * hit.move, hit.player);
}

void World::update() { update(takeInputs(*this)); }

void World::update(const FrameInputs& inputs) { showEvents(rules(fight, inputs)); }

void World::showEvents(const FightEvents& events) {
    camera.updateCamera(events.framed1, events.framed2);
    strikeSounds.assign(events.strikes, events.strikes + events.strikeCount);
    for (int i = 0; i < events.hitCount; i++) {
        throwSparks(moves, events.hits[i]);
    }
    showLives();
}
