// A rollback's frames shown in the world.
#include "game/rollback.h"

#include <cstddef>

#include "game/World.h"

void showRollbackRun(World& world, const Fight& now, const RollbackRun& run) {
    world.fight = now;
    for (const FrameRun& frame : run.frames) {
        std::size_t sparksBefore = world.moves.particles.size();
        world.showEvents(frame.events);
        // Thrown and taken back, so that the sparks' random draws stay those of every frame run.
        if (frame.sparksThrown) {
            world.moves.particles.resize(sparksBefore);
        }
    }
}
