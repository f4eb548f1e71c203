// The five message towers as fixed arrays of stages: how stages rise, age, fade and are trimmed.
#ifndef VANTORIX_TOWERS_H
#define VANTORIX_TOWERS_H

// A sign's stage lives 302 updates and at most one rises on a tower per update; the room above
// that is only ever reached by a tower whose oldest stage then gives way.
const int TOWER_CAPACITY = 320;

// One picture on a tower: updates since it rose (times the step), its opacity, its texture slot.
struct Stage {
    int age = 0;
    float opacity = 1.0f;
    int slot = 0;
};

struct Tower {
    int count = 0;
    Stage stages[TOWER_CAPACITY];

    bool empty() const { return count == 0; }
    const Stage& newest() const { return stages[count - 1]; }
};

// Each player's signs (1, 2), each player's duel marks (3, 4) and the announcements (5).
struct Towers {
    Tower tower1;
    Tower tower2;
    Tower tower3;
    Tower tower4;
    Tower tower5;
};

// Every tower number other than 1 to 4 stands for tower 5, the announcement.
const Tower& towerOf(const Towers& towers, int tower);
Tower& towerOf(Towers& towers, int tower);
// A new stage of full opacity and age 0 on top of the tower.
void addStage(Towers& towers, int tower, int slot);
// One update of every tower: the old go, the rest age by the step and fade.
void moveTower(Towers& towers, int step);

#endif
