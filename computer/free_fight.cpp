// The computer outside a duel: strike in contact, walk in on a busy opponent, otherwise wind up
// and release specials, calling or dodging duels as its reading of the opponent advises.
#include <cmath>

#include "computer/computer.h"
#include "computer/fight_knowledge.h"
#include "computer/wish.h"

// Updates the robot is sure to stay in its moves, as its pose shows; an incomplete wind-up may
// be abandoned into the wind-down at any time.
static int updatesBusy(const VisibleRobot& robot) {
    switch (robot.state) {
    case STRIKING: return (STRIKE_TICKS - robot.clock) / FREE_TICKS + 1;
    case WINDING_UP:
        if (robot.clock >= WIND_UP_COMPLETE) {
            return (SPECIAL_TICKS + WIND_DOWN_TICKS) / FREE_TICKS;
        }
        return WIND_DOWN_TICKS / FREE_TICKS;
    case SPECIAL: return (SPECIAL_TICKS - robot.clock + WIND_DOWN_TICKS) / FREE_TICKS;
    case WIND_DOWN_ORDERED:
    case WINDING_DOWN: return (WIND_DOWN_TICKS - robot.clock) / FREE_TICKS + 1;
    default: return 0;
    }
}

// An opponent far enough away and not striking is likely to wind up next.
static bool willWindUp(const VisibleRobot& them, float gap) {
    return gap >= STRIKE_RANGE && them.state != STRIKING && them.state != WINDING_UP;
}

static bool isWindUpSign(int sign) { return sign == PAPER || sign == SCISSORS; }

static int otherWindUpSign(int sign) { return sign == PAPER ? SCISSORS : PAPER; }

ComputerAction Computer::idleAction(const VisibleFight& view) {
    float g = gap(view);
    if (g < CONTACT_GAP) {
        // Scissors hits hardest; right after scissors only paper strikes.
        return wished(WISH_MOVE, ownSign != SCISSORS ? SCISSORS : PAPER);
    }
    if (g < STRIKE_RANGE) {
        return stepToward(true);
    }
    // Walk in only on an opponent who will still be stuck in a move on arrival.
    int steps = (int)std::ceil((g - CONTACT_GAP + 0.1f) / STEP_LENGTH);
    int stuck = updatesBusy(view.robots[opponent]) - traits.reactionFrames;
    if (stuck > steps * traits.pressInterval + 2) {
        return stepToward(true);
    }
    return wished(WISH_MOVE, windUpSign());
}

// Winding up with the opponent's sign makes a duel possible, with the other sign impossible.
int Computer::windUpSign() {
    int theirs = opponentWindUpSign;
    if (traits.habits == GUESSES || !isWindUpSign(theirs)) {
        return dice.chance(0.5) ? PAPER : SCISSORS;
    }
    return wantsDuel(theirs) ? theirs : otherWindUpSign(theirs);
}

// A duel is worth it when the first exchange looks more likely won than lost.
bool Computer::wantsDuel(int opponentSign) const {
    double odds[4];
    habits.expect(traits.habits, 0, opponentSign, odds);
    int likely = ROCK;
    for (int s = PAPER; s <= SCISSORS; s++) {
        if (odds[s] > odds[likely]) {
            likely = s;
        }
    }
    int mine = signBeating(likely);
    return odds[likely] - odds[signBeating(mine)] > 0.25;
}

ComputerAction Computer::windUpAction(const VisibleFight& view) {
    const VisibleRobot& mine = view.robots[me];
    const VisibleRobot& them = view.robots[opponent];
    if (mine.clock < WIND_UP_COMPLETE) {
        // Someone free to strike is at the door: give the wind-up up early to be back sooner.
        bool aboutToBeHit = them.state == IDLE && gap(view) < CONTACT_GAP + 0.5f;
        if (aboutToBeHit && mine.clock <= 5 * FREE_TICKS) {
            return wished(WISH_MOVE, ROCK);
        }
        return ComputerAction();
    }
    if (heldSince < 0) {
        heldSince = frame;
    }
    int theirs = them.state == WINDING_UP ? them.shownSign : opponentWindUpSign;
    if (traits.habits == GUESSES || !isWindUpSign(theirs)) {
        return wished(WISH_RELEASE, ROCK);
    }
    bool want = wantsDuel(theirs);
    bool matching = ownSign == theirs;
    // A held wind-up may change its sign without letting go: to the opponent's to make a duel
    // possible, away from it to avoid one.
    int wanted = want ? theirs : otherWindUpSign(theirs);
    ComputerAction match = wished(WISH_SIGN_ONLY, wanted);
    bool patient = frame - heldSince < traits.duelPatienceFrames;
    if (them.state == WINDING_UP) {
        if (matching != want) {
            return match;
        }
        // Too early to call; or their wind-up is complete, so they may have let go since the
        // screen showed it: holding on, their own release calls the duel.
        bool holdOn = them.clock <= DUEL_CALL_CLOCK || (them.clock >= WIND_UP_COMPLETE && patient);
        if (want && holdOn) {
            return ComputerAction();
        }
    } else if (want && patient && willWindUp(them, gap(view))) {
        return matching ? ComputerAction() : match;
    }
    return wished(WISH_RELEASE, ROCK);
}

static int ticksOf(int move) {
    switch (move) {
    case PUNCH:
    case HEAD_PUNCH: return STRIKE_TICKS;
    case SPECIAL_PAPER:
    case SPECIAL_SCISSORS: return SPECIAL_TICKS;
    case WIND_DOWN: return WIND_DOWN_TICKS;
    default: return 0;
    }
}

// While a move runs, get the next strike ready: scissors cannot follow scissors. Early in the
// move only, so that the sign cannot come after the move has ended and strike by itself.
ComputerAction Computer::busyAction(const VisibleFight& view) {
    const VisibleRobot& mine = view.robots[me];
    int margin = (traits.ownDelayFrames + traits.pressInterval + 2) * FREE_TICKS;
    bool early = mine.clock + margin < ticksOf(mine.move);
    if (ownSign == SCISSORS && gap(view) < STRIKE_RANGE && early) {
        return wished(WISH_SIGN_ONLY, PAPER);
    }
    return ComputerAction();
}
