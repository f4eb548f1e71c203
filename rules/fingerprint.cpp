// The fight's serialisation and the fingerprints made of it.
#include "rules/fingerprint.h"

#include <initializer_list>

static void addTower(Digest& d, const Tower& tower) {
    d.add(tower.count);
    for (int k = 0; k < tower.count; k++) {
        d.add(tower.stages[k].age);
        d.add(tower.stages[k].opacity);
        d.add(tower.stages[k].slot);
    }
}

void addFight(Digest& d, const Fight& f) {
    for (float field : {f.pos1, f.speed1, f.pos2, f.speed2}) {
        d.add(field);
    }
    for (int field : {f.clock1, f.clock2, f.duelScore, f.tickStep, f.timer, f.lastSign1,
                      f.lastSign2, f.life1, f.life2}) {
        d.add(field);
    }
    const Game& g = f.game;
    for (int field : {g.gameState, g.pstate1, g.pmove1, g.csign1, g.lsign1, g.pstate2, g.pmove2,
                      g.csign2, g.lsign2}) {
        d.add(field);
    }
    for (int tower = 1; tower <= 5; tower++) {
        addTower(d, towerOf(f.towers, tower));
    }
}

uint32_t fightFingerprint(const Fight& fight) {
    Digest d;
    addFight(d, fight);
    return d.hash;
}

uint32_t fightFingerprintV1(const Fight& f) {
    Digest d;
    d.add(f.life1);
    d.add(f.life2);
    d.add(f.pos1);
    d.add(f.pos2);
    d.add(f.speed1);
    d.add(f.speed2);
    d.add(f.clock1);
    d.add(f.clock2);
    d.add(f.duelScore);
    d.add(f.tickStep);
    d.add(f.timer);
    d.add(f.lastSign1);
    d.add(f.lastSign2);
    const Game& g = f.game;
    for (int field : {g.gameState, g.pstate1, g.pmove1, g.pstate2, g.pmove2}) {
        d.add(field);
    }
    return d.hash;
}
