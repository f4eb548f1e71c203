// The sign duel: the countdown schedule, the three secret exchanges and their outcome.
#include "game/duel.h"

#include "game/World.h"

// Texture slots of the duel's pictures.
static const int SLOT_COUNTDOWN_A = 5;    // "chiffou.bmp"
static const int SLOT_COUNTDOWN_B = 6;    // "mi.bmp"
static const int SLOT_HIT = 7;            // "paf.bmp"
static const int SLOT_CRITICAL = 8;       // "critical.bmp"
static const int SLOT_PLAYER2_WINS = 9;   // "prwin.bmp"
static const int SLOT_PLAYER1_WINS = 10;  // "pawin.bmp"
static const int SLOT_EXCHANGE_WON = 11;  // "win.bmp"

// The duel ends as soon as either move clock passes this, a little before the specials end.
static const int DUEL_LAST_CLOCK = 147;
static const int SWEEP = 3;
static const int DUEL_DAMAGE = 20;
static const int FREE_TICK_STEP = 5;

void runDuelSchedule(World& world) {
    Towers& towers = world.fight.towers;
    switch (world.fight.clock1) {
    case 10:
        addStage(towers, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        world.fight.duelScore = 0;
        return;
    case 30:
    case 70:
    case 110:
        addStage(towers, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_B);
        return;
    case 50:
    case 90:
        addStage(towers, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        world.roundWinner();
        return;
    case 130:
        world.roundWinner();
        world.displayHit();
        return;
    default:
        break;
    }
    if (world.fight.clock1 > DUEL_LAST_CLOCK || world.fight.clock2 > DUEL_LAST_CLOCK) {
        world.displayWinner();
        world.fight.tickStep = FREE_TICK_STEP;
        world.fight.game.setGameState(FREE_FIGHT);
    }
}

int World::solveBattle(int a, int b) const {
    if (a == b) {
        return 0;
    }
    bool firstWins = (a == ROCK && b == SCISSORS) || (a == SCISSORS && b == PAPER) ||
                     (a == PAPER && b == ROCK);
    return firstWins ? 1 : 2;
}

// A won exchange reveals both signs and marks the winner's tower; a draw shows nothing.
void World::roundWinner() {
    int result = solveBattle(fight.lastSign1, fight.lastSign2);
    if (result == 1) {
        addStage(fight.towers, TOWER_MARKS1, SLOT_EXCHANGE_WON);
        addStage(fight.towers, TOWER_SIGNS1, signSlot(fight.lastSign1));
        addStage(fight.towers, TOWER_SIGNS2, signSlot(fight.lastSign2));
        fight.duelScore += 1;
    } else if (result == 2) {
        addStage(fight.towers, TOWER_MARKS2, SLOT_EXCHANGE_WON);
        addStage(fight.towers, TOWER_SIGNS2, signSlot(fight.lastSign2));
        addStage(fight.towers, TOWER_SIGNS1, signSlot(fight.lastSign1));
        fight.duelScore -= 1;
    }
}

// After the third exchange: a clean sweep is a critical hit on the swept player.
void World::displayHit() {
    if (fight.duelScore == SWEEP) {
        addStage(fight.towers, TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        fight.life2 -= DUEL_DAMAGE;
    } else if (fight.duelScore == -SWEEP) {
        addStage(fight.towers, TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        fight.life1 -= DUEL_DAMAGE;
    } else {
        addStage(fight.towers, TOWER_ANNOUNCEMENTS, SLOT_HIT);
    }
}

// At the end of the duel the player behind loses; a level duel costs nothing.
void World::displayWinner() {
    if (fight.duelScore > 0) {
        addStage(fight.towers, TOWER_ANNOUNCEMENTS, SLOT_PLAYER1_WINS);
        fight.life2 -= DUEL_DAMAGE;
    } else if (fight.duelScore < 0) {
        addStage(fight.towers, TOWER_ANNOUNCEMENTS, SLOT_PLAYER2_WINS);
        fight.life1 -= DUEL_DAMAGE;
    }
}
