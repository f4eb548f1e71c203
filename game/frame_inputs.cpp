// Taking and giving one frame's inputs, and the fight's fingerprint.
#include "game/frame_inputs.h"

#include "game/World.h"
#include "game/digest.h"

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

uint32_t fightFingerprint(const World& world) {
    Digest d;
    d.add(world.life1.load());
    d.add(world.life2.load());
    d.add(world.pos1);
    d.add(world.pos2);
    d.add(world.speed1);
    d.add(world.speed2);
    d.add(world.clock1);
    d.add(world.clock2);
    d.add(world.duelScore);
    d.add(world.tickStep);
    d.add(world.timer);
    d.add(world.lastSign1);
    d.add(world.lastSign2);
    const Game& g = world.game;
    for (int field : {g.gameState, g.pstate1, g.pmove1, g.pstate2, g.pmove2}) {
        d.add(field);
    }
    return d.hash;
}
