// Taking and giving one frame's inputs.
#include "game/frame_inputs.h"

#include "game/World.h"

bool operator==(const FrameInputs& a, const FrameInputs& b) {
    return a.left1 == b.left1 && a.right1 == b.right1 && a.sign1 == b.sign1 &&
           a.left2 == b.left2 && a.right2 == b.right2 && a.sign2 == b.sign2 &&
           a.towerKeys == b.towerKeys;
}

bool operator!=(const FrameInputs& a, const FrameInputs& b) { return !(a == b); }

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
