// Advancing the world's fight one frame.
#include "game/rollback.h"

#include "game/World.h"

void advanceFight(World& world, const FrameInputs& inputs) {
    giveInputs(world, inputs);
    world.update();
}
