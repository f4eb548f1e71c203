// Cost of a rollback of 8 frames (restore a saved fight, run the 8 frames again, saving each
// fight as a rollback does) beside one frame's step, on a fight under way: the rules alone.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "rules/rollback_fight.h"
#include "rules/step.h"

namespace {

const int DEPTH = 8;

FrameInputs inputsOf(int left1, int right1, int sign1, int left2, int right2, int sign2) {
    FrameInputs inputs;
    inputs.left1 = left1;
    inputs.right1 = right1;
    inputs.sign1 = sign1;
    inputs.left2 = left2;
    inputs.right2 = right2;
    inputs.sign2 = sign2;
    return inputs;
}

// Close in and trade strikes for a while, so that towers and moves are all in play.
const Fight& fightUnderWay() {
    static Fight fight;
    static bool made = false;
    if (!made) {
        fight = startingFight();
        std::mt19937 random(3);
        for (int f = 0; f < 600; f++) {
            int sign1 = random() % 4;
            int sign2 = random() % 4;
            stepFight(fight, inputsOf(0, f % 3 == 0, sign1, f % 3 == 0, 0, sign2));
        }
        made = true;
    }
    return fight;
}

std::vector<FrameInputs> scriptedInputs() {
    std::vector<FrameInputs> inputs;
    for (int f = 0; f < DEPTH; f++) {
        inputs.push_back(inputsOf(0, 0, f % 4, 0, 0, 3 - f % 4));
    }
    return inputs;
}

void BM_OneFrameStep(benchmark::State& state) {
    Fight fight = fightUnderWay();
    std::vector<FrameInputs> inputs = scriptedInputs();
    int f = 0;
    for (auto _ : state) {
        FightEvents events = stepFight(fight, inputs[f++ % DEPTH]);
        benchmark::DoNotOptimize(events);
        if (f % DEPTH == 0) {
            state.PauseTiming();
            fight = fightUnderWay();
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_OneFrameStep);

void BM_RollbackOfEightFrames(benchmark::State& state) {
    const Fight& start = fightUnderWay();
    std::vector<FrameInputs> inputs = scriptedInputs();
    Fight fight;
    Fight saved[DEPTH];
    for (auto _ : state) {
        fight = start;
        for (int f = 0; f < DEPTH; f++) {
            saved[f] = fight;
            FightEvents events = stepFight(fight, inputs[f]);
            benchmark::DoNotOptimize(events);
        }
        benchmark::DoNotOptimize(saved);
    }
}
BENCHMARK(BM_RollbackOfEightFrames);

// The rollback itself on a fight under way: the other player's inputs arrive 8 frames late and
// each differs from the guess, so that every frame goes back 8 frames.
void BM_RollbackFightEightFramesLate(benchmark::State& state) {
    const int LATE = 8;
    RollbackFight fight(fightUnderWay(), stepFight, 1, 0);
    int f = 0;
    for (auto _ : state) {
        fight.addLocalInput(packPlayerInput(0, 0, 1 + f % 3, 0));
        if (f >= LATE) {
            fight.addRemoteInput(f - LATE, packPlayerInput(f % 2, 0, 0, 0));
        }
        RollbackRun ran = fight.advance();
        benchmark::DoNotOptimize(ran);
        f++;
    }
}
BENCHMARK(BM_RollbackFightEightFramesLate);

}  // namespace
