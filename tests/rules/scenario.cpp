// Test harness: steps the fight value with scripted inputs.
#include "tests/rules/scenario.h"

void Scenario::play(const FrameInputs& input) {
    FightEvents events = stepFight(fight, input);
    hits.insert(hits.end(), events.hits, events.hits + events.hitCount);
    strikes.insert(strikes.end(), events.strikes, events.strikes + events.strikeCount);
}

void Scenario::play(const FrameInputs& input, int frames) {
    for (int i = 0; i < frames; i++) {
        play(input);
    }
}

void Scenario::wait(int frames) { play(FrameInputs(), frames); }

void Scenario::place(float pos1, float pos2) {
    fight.pos1 = pos1;
    fight.pos2 = pos2;
}

int Scenario::newestSlot(int tower) const {
    const Tower& stages = towerOf(fight.towers, tower);
    return stages.empty() ? -1 : stages.newest().slot;
}

size_t Scenario::sparks() const {
    size_t count = 0;
    for (const FightHit& hit : hits) {
        count += 20 * hit.move;
    }
    return count;
}
