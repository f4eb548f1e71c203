// Taking and giving one frame's inputs.
#include "game/frame_inputs.h"

#include "game/World.h"

FrameInputs takeInputs(const World& world) {
    FrameInputs inputs;
    inputs.left1 = world.left1;
    inputs.right1 = world.right1;
    inputs.sign1 = world.sign1;
    inputs.left2 = world.left2;
    inputs.right2 = world.right2;
    inputs.sign2 = world.sign2;
    inputs.towerKeys = world.towerKeys;
    return inputs;
}

void giveInputs(World& world, const FrameInputs& inputs) {
    world.setInputs();
    world.left1 = inputs.left1;
    world.right1 = inputs.right1;
    world.sign1 = inputs.sign1;
    world.left2 = inputs.left2;
    world.right2 = inputs.right2;
    world.sign2 = inputs.sign2;
    world.towerKeys = 0;
    world.pressTowerKeys(inputs.towerKeys);
}
