// Cost of a rollback of 8 frames (restore a saved state, run the 8 frames again, saving each
// state as a rollback does) beside one frame's update, on a fight under way.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "game/World.h"
#include "game/codes.h"
#include "game/rollback.h"

namespace {

const int DEPTH = 8;

World& fightUnderWay() {
    static World* world = nullptr;
    if (world == nullptr) {
        world = new World();
        char here[4096];
        char* back = getcwd(here, sizeof here);
        if (chdir(VANTORIX_DATA_DIR) != 0) {
            std::abort();
        }
        world->moves.loadMoves();
        if (back == nullptr || chdir(here) != 0) {
            std::abort();
        }
        world->setStartingValues();
        // Close in and trade strikes for a while, so that towers and moves are all in play.
        std::mt19937 random(3);
        for (int f = 0; f < 600; f++) {
            advanceFight(*world, combineInputs(packPlayerInput(0, f % 3 == 0, random() % 4, 0),
                                               packPlayerInput(f % 3 == 0, 0, random() % 4, 0)));
        }
    }
    return *world;
}

std::vector<FrameInputs> scriptedInputs() {
    std::vector<FrameInputs> inputs;
    for (int f = 0; f < DEPTH; f++) {
        inputs.push_back(combineInputs(packPlayerInput(0, 0, f % 4, 0), packPlayerInput(0, 0, 3 - f % 4, 0)));
    }
    return inputs;
}

void BM_OneFrameUpdate(benchmark::State& state) {
    World& world = fightUnderWay();
    Fight start = world.fight;
    std::vector<FrameInputs> inputs = scriptedInputs();
    int f = 0;
    for (auto _ : state) {
        advanceFight(world, inputs[f++ % DEPTH]);
        state.PauseTiming();
        if (f % DEPTH == 0) {
            world.fight = start;
            world.moves.particles.clear();
        }
        state.ResumeTiming();
    }
    world.fight = start;
}
BENCHMARK(BM_OneFrameUpdate);

void BM_RollbackOfEightFrames(benchmark::State& state) {
    World& world = fightUnderWay();
    Fight start = world.fight;
    std::vector<FrameInputs> inputs = scriptedInputs();
    for (auto _ : state) {
        world.fight = start;
        for (const FrameInputs& frame : inputs) {
            Fight saved = world.fight;
            benchmark::DoNotOptimize(saved);
            size_t sparks = world.moves.particles.size();
            advanceFight(world, frame);
            world.moves.particles.resize(sparks);
        }
    }
    world.fight = start;
}
BENCHMARK(BM_RollbackOfEightFrames);

}  // namespace
