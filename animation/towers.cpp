// Moves: the five message towers, their stages and how they age and are trimmed.
#include "animation/moves.h"

// Every tower number other than 1 to 4 stands for tower 5, the announcement.
static int towerIndex(int tower) { return tower >= 1 && tower <= 4 ? tower - 1 : 4; }

void Moves::addStage(int tower, int slot) {
    RecordList* towers[5] = {&tower1, &tower2, &tower3, &tower4, &tower5};
    Record stage;
    stage.push_back(0);
    stage.push_back(1.0f);
    stage.push_back((float)slot);
    towers[towerIndex(tower)]->push_back(stage);
}

RecordList Moves::getTower(int tower) const {
    const RecordList* towers[5] = {&tower1, &tower2, &tower3, &tower4, &tower5};
    return *towers[towerIndex(tower)];
}

// A stage lives 301 updates at a step of 1: it goes once its age has passed 300.
static void removeByAge(RecordList& tower) {
    while (!tower.empty() && tower.front()[STAGE_AGE] > 300) {
        tower.erase(tower.begin());
    }
}

// A fourth duel mark clears the three before it.
static void removeOldestThreeIfFull(RecordList& tower) {
    if (tower.size() > 3) {
        tower.erase(tower.begin(), tower.begin() + 3);
    }
}

static void age(RecordList& tower, int step, double fade) {
    for (Record& stage : tower) {
        stage[STAGE_AGE] += step;
        stage[STAGE_OPACITY] = (float)(stage[STAGE_OPACITY] * fade);
    }
}

void Moves::moveTower(int step) {
    removeByAge(tower1);
    age(tower1, step, 0.98);
    removeByAge(tower2);
    age(tower2, step, 0.98);
    removeByAge(tower3);
    removeOldestThreeIfFull(tower3);
    age(tower3, step, 0.98);
    removeOldestThreeIfFull(tower4);
    removeByAge(tower4);
    age(tower4, step, 0.98);
    // The newest announcement replaces the one before; announcements do not age.
    if (tower5.size() > 1) {
        tower5.erase(tower5.begin());
    }
    age(tower5, 0, 0.9);
}
