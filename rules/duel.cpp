// The sign duel: the countdown schedule, the three secret exchanges and their outcome.
#include "game/codes.h"
#include "rules/timings.h"
#include "rules/turn.h"

static const int SWEEP = 3;
static const int DUEL_DAMAGE = 20;

int solveBattle(int a, int b) {
    if (a == b) {
        return 0;
    }
    bool firstWins = (a == ROCK && b == SCISSORS) || (a == SCISSORS && b == PAPER) ||
                     (a == PAPER && b == ROCK);
    return firstWins ? 1 : 2;
}

// A won exchange reveals both signs and marks the winner's tower; a draw shows nothing.
static void roundWinner(FrameStep& step) {
    Fight& fight = step.fight;
    int result = solveBattle(fight.lastSign1, fight.lastSign2);
    if (result == 1) {
        raiseStage(step, TOWER_MARKS1, SLOT_EXCHANGE_WON);
        raiseStage(step, TOWER_SIGNS1, signSlot(fight.lastSign1));
        raiseStage(step, TOWER_SIGNS2, signSlot(fight.lastSign2));
        fight.duelScore += 1;
    } else if (result == 2) {
        raiseStage(step, TOWER_MARKS2, SLOT_EXCHANGE_WON);
        raiseStage(step, TOWER_SIGNS2, signSlot(fight.lastSign2));
        raiseStage(step, TOWER_SIGNS1, signSlot(fight.lastSign1));
        fight.duelScore -= 1;
    }
}

// After the third exchange the duel strikes its blow: a clean sweep is a critical hit on the
// swept player, anything else a plain "hit" shown without damage.
static void strikeDuelBlow(FrameStep& step) {
    Fight& fight = step.fight;
    if (fight.duelScore == SWEEP) {
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        fight.life2 -= DUEL_DAMAGE;
    } else if (fight.duelScore == -SWEEP) {
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_CRITICAL);
        fight.life1 -= DUEL_DAMAGE;
    } else {
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_HIT);
    }
}

// At the end of the duel the player behind loses a duel's damage; a level duel costs nothing.
static void settleDuel(FrameStep& step) {
    Fight& fight = step.fight;
    if (fight.duelScore > 0) {
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_PLAYER1_WINS);
        fight.life2 -= DUEL_DAMAGE;
    } else if (fight.duelScore < 0) {
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_PLAYER2_WINS);
        fight.life1 -= DUEL_DAMAGE;
    }
}

void runDuelSchedule(FrameStep& step) {
    Fight& fight = step.fight;
    switch (fight.clock1) {
    case 10:
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        fight.duelScore = 0;
        return;
    case 30:
    case 70:
    case 110:
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_B);
        return;
    case 50:
    case 90:
        raiseStage(step, TOWER_ANNOUNCEMENTS, SLOT_COUNTDOWN_A);
        roundWinner(step);
        return;
    case 130:
        roundWinner(step);
        strikeDuelBlow(step);
        return;
    default:
        break;
    }
    if (fight.clock1 > DUEL_LAST_CLOCK || fight.clock2 > DUEL_LAST_CLOCK) {
        settleDuel(step);
        fight.tickStep = FREE_TICK_STEP;
        fight.game.setGameState(FREE_FIGHT);
    }
}
