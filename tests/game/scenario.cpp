// Test harness: drives the real World::update frame by frame with scripted inputs.
#include "tests/game/scenario.h"

#include "game/frame_inputs.h"
#include "tests/support/motion_library.h"

Scenario::Scenario() {
    const Moves& library = motionLibrary();
    world.moves.movePoses = library.movePoses;
    world.moves.moveFrames = library.moveFrames;
    world.moves.moveDists = library.moveDists;
    world.setStartingValues();
}

void Scenario::play(const FrameInputs& input) {
    giveInputs(world, input);
    world.update();
}

void Scenario::play(const FrameInputs& input, int frames) {
    for (int i = 0; i < frames; i++) {
        play(input);
    }
}

void Scenario::wait(int frames) { play(FrameInputs(), frames); }

void Scenario::place(float pos1, float pos2) {
    world.fight.pos1 = world.drawPos1 = pos1;
    world.fight.pos2 = world.drawPos2 = pos2;
}

int Scenario::newestSlot(int tower) const {
    const Tower& stages = towerOf(world.fight.towers, tower);
    return stages.empty() ? -1 : stages.newest().slot;
}
