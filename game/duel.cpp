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
    Moves& moves = world.moves;
    switch (world.clock1) {
    case 10:
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        world.duelScore = 0;
        return;
    case 30:
    case 70:
    case 110:
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_B);
        return;
    case 50:
    case 90:
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        world.roundWinner();
        return;
    case 130:
        world.roundWinner();
        world.displayHit();
        return;
    default:
        break;
    }
    if (world.clock1 > DUEL_LAST_CLOCK || world.clock2 > DUEL_LAST_CLOCK) {
        world.displayWinner();
        world.tickStep = FREE_TICK_STEP;
        world.game.setGameState(FREE_FIGHT);
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
    int result = solveBattle(lastSign1, lastSign2);
    if (result == 1) {
        moves.addStage(TOWER_MARKS1, SLOT_EXCHANGE_WON);
        moves.addStage(TOWER_SIGNS1, signSlot(lastSign1));
        moves.addStage(TOWER_SIGNS2, signSlot(lastSign2));
        duelScore += 1;
    } else if (result == 2) {
        moves.addStage(TOWER_MARKS2, SLOT_EXCHANGE_WON);
        moves.addStage(TOWER_SIGNS2, signSlot(lastSign2));
        moves.addStage(TOWER_SIGNS1, signSlot(lastSign1));
        duelScore -= 1;
    }
}

// After the third exchange: a clean sweep is a critical hit on the swept player.
void World::displayHit() {
    if (duelScore == SWEEP) {
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        life2 -= DUEL_DAMAGE;
    } else if (duelScore == -SWEEP) {
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        life1 -= DUEL_DAMAGE;
    } else {
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_HIT);
    }
}

// At the end of the duel the player behind loses; a level duel costs nothing.
void World::displayWinner() {
    if (duelScore > 0) {
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_PLAYER1_WINS);
        life2 -= DUEL_DAMAGE;
    } else if (duelScore < 0) {
        moves.addStage(TOWER_ANNOUNCEMENTS, SLOT_PLAYER2_WINS);
        life1 -= DUEL_DAMAGE;
    }
}
