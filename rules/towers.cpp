// The message towers: their stages, how they age and how each tower is trimmed.
#include "rules/towers.h"

const Tower& towerOf(const Towers& towers, int tower) {
    const Tower* all[5] = {&towers.tower1, &towers.tower2, &towers.tower3, &towers.tower4,
                           &towers.tower5};
    return *all[tower >= 1 && tower <= 4 ? tower - 1 : 4];
}

Tower& towerOf(Towers& towers, int tower) {
    return const_cast<Tower&>(towerOf(static_cast<const Towers&>(towers), tower));
}

static void removeOldest(Tower& tower, int count) {
    for (int k = count; k < tower.count; k++) {
        tower.stages[k - count] = tower.stages[k];
    }
    tower.count -= count;
}

void addStage(Towers& towers, int tower, int slot) {
    Tower& t = towerOf(towers, tower);
    if (t.count == TOWER_CAPACITY) {
        removeOldest(t, 1);
    }
    Stage stage;
    stage.slot = slot;
    t.stages[t.count++] = stage;
}

// A stage lives 301 updates at a step of 1: it goes once its age has passed 300.
static void removeByAge(Tower& tower) {
    int old = 0;
    while (old < tower.count && tower.stages[old].age > 300) {
        old++;
    }
    removeOldest(tower, old);
}

// A fourth duel mark clears the three before it.
static void removeOldestThreeIfFull(Tower& tower) {
    if (tower.count > 3) {
        removeOldest(tower, 3);
    }
}

static void age(Tower& tower, int step, double fade) {
    for (int k = 0; k < tower.count; k++) {
        Stage& stage = tower.stages[k];
        stage.age += step;
        stage.opacity = (float)(stage.opacity * fade);
    }
}

void moveTower(Towers& towers, int step) {
    removeByAge(towers.tower1);
    age(towers.tower1, step, 0.98);
    removeByAge(towers.tower2);
    age(towers.tower2, step, 0.98);
    removeByAge(towers.tower3);
    removeOldestThreeIfFull(towers.tower3);
    age(towers.tower3, step, 0.98);
    removeOldestThreeIfFull(towers.tower4);
    removeByAge(towers.tower4);
    age(towers.tower4, step, 0.98);
    // The newest announcement replaces the one before; announcements do not age.
    if (towers.tower5.count > 1) {
        removeOldest(towers.tower5, 1);
    }
    age(towers.tower5, 0, 0.9);
}
