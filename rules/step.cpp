// One frame of the fight's rules, and the events it gathers on the way.
#include "rules/step.h"

#include "game/codes.h"
#include "rules/timings.h"
#include "rules/turn.h"

void noteStrike(FrameStep& step, int move) {
    FightEvents& e = step.events;
    if (e.strikeCount < MAX_FRAME_EVENTS) {
        e.strikes[e.strikeCount++] = move;
    }
}

void noteHit(FrameStep& step, int move, int hitPlayer) {
    const Fight& f = step.fight;
    FightEvents& e = step.events;
    if (e.hitCount < MAX_FRAME_EVENTS) {
        float x = hitPlayer == 2 ? (float)((double)f.pos2 - 0.2) : (float)((double)f.pos1 + 0.3);
        e.hits[e.hitCount++] = FightHit{hitPlayer, move, x};
    }
}

void raiseStage(FrameStep& step, int tower, int slot) {
    addStage(step.fight.towers, tower, slot);
    FightEvents& e = step.events;
    if (tower == TOWER_ANNOUNCEMENTS && e.announcementCount < MAX_FRAME_EVENTS) {
        e.announcements[e.announcementCount++] = slot;
    }
}

// Each key shows texture slot 1 on its own tower (3, 4 and 5), in any state of the fight.
static void pressTowerKeys(Fight& fight, int keys) {
    const int KEYS[3] = {TOWER_KEY_F, TOWER_KEY_G, TOWER_KEY_H};
    const int TOWERS[3] = {TOWER_MARKS1, TOWER_MARKS2, TOWER_ANNOUNCEMENTS};
    for (int i = 0; i < 3; i++) {
        if (keys & KEYS[i]) {
            addStage(fight.towers, TOWERS[i], 1);
        }
    }
}

// The test looks one tick ahead; the move then spans the whole step.
static void updatePositions(Fight& f) {
    if (f.pos2 + f.speed2 - f.pos1 - f.speed1 > limiteContactRobots) {
        f.pos1 += f.tickStep * f.speed1;
        f.pos2 += f.tickStep * f.speed2;
    } else {
        float middle = (f.pos1 + f.pos2) / 2;
        f.pos1 = middle - limiteContactRobots / 2;
        f.pos2 = middle + limiteContactRobots / 2;
    }
    if (f.pos1 > 14.0f) {
        f.pos1 = 14.0f;
    }
    if (f.pos2 > 15.0f) {
        f.pos2 = 15.0f;
    }
    if (f.pos1 < -14.0f) {
        f.pos1 = -14.0f;
    }
}

// Signs given during a duel are kept secret; otherwise a new sign rises on the player's tower.
static void setLastSign(Fight& f, const FrameInputs& in) {
    if (f.game.getGameState() == DUEL_UNDER_WAY) {
        if (in.sign1 != 0) {
            f.lastSign1 = in.sign1;
        }
        if (in.sign2 != 0) {
            f.lastSign2 = in.sign2;
        }
        return;
    }
    if (in.sign1 != 0 && in.sign1 != f.lastSign1) {
        f.lastSign1 = in.sign1;
        addStage(f.towers, TOWER_SIGNS1, signSlot(in.sign1));
    }
    if (in.sign2 != 0 && in.sign2 != f.lastSign2) {
        f.lastSign2 = in.sign2;
        addStage(f.towers, TOWER_SIGNS2, signSlot(in.sign2));
    }
}

// Lives may fall below zero and the fight goes on: there is one fight per run and nothing
// ends it. This is the one place where a knock-out would be noticed.
static void testLives(const Fight&) {}

// The start-up countdown that holds back the webcam input; it runs down twice per frame.
static void testTime(Fight& f) { f.timer -= 1; }

FightEvents stepFight(Fight& fight, const FrameInputs& inputs) {
    FightEvents events;
    FrameStep step{fight, inputs, events};
    pressTowerKeys(fight, inputs.towerKeys);
    testTime(fight);
    events.framed1 = fight.pos1;
    events.framed2 = fight.pos2;
    moveTower(fight.towers, 1);
    playTurn(step, 1);
    playTurn(step, 2);
    if (fight.game.getGameState() == DUEL_UNDER_WAY) {
        runDuelSchedule(step);
    }
    updatePositions(fight);
    testLives(fight);
    testTime(fight);
    setLastSign(fight, inputs);
    return events;
}
