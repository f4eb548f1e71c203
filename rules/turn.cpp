// Each player's turn of a frame: strikes, the combo's wind-up, its special and the wind-down.
#include "rules/turn.h"

#include "game/codes.h"
#include "rules/timings.h"

static const int SPECIAL_DAMAGE = 20;
static const int STRIKE_DAMAGE_PER_MOVE = 5;
// The special's two bursts go off at these ticks of its clock, when the lunge reaches home.
static const int FIRST_BURST_TICK = 70;
static const int SECOND_BURST_TICK = 75;

// One player's side of the rules for the length of a turn: its own fields and the
// opponent's that the rules read or hurt.
struct PlayerTurn {
    FrameStep& step;
    Fight& fight;
    int player;
    int opponent;
    int& clock;
    float& speed;
    int sign;
    int lastSign;
    int left;
    int right;
    int clockOpponent;
    int lastSignOpponent;
    int& lifeOpponent;

    int state() const { return fight.game.getPstate(player); }
    void setState(int value) { fight.game.setPstate(player, value); }
    int move() const { return fight.game.getPmove(player); }
    void setMove(int value) { fight.game.setPmove(player, value); }
    int length() const { return moveLength(move()); }
    // Starts a move from its first tick.
    void begin(int newState, int newMove) {
        setState(newState);
        setMove(newMove);
        clock = 0;
    }
};

static PlayerTurn turnOf(FrameStep& step, int player) {
    Fight& f = step.fight;
    const FrameInputs& in = step.inputs;
    if (player == 1) {
        return PlayerTurn{step,     f, 1, 2, f.clock1, f.speed1, in.sign1, f.lastSign1, in.left1,
                          in.right1, f.clock2, f.lastSign2, f.life2};
    }
    return PlayerTurn{step,     f, 2, 1, f.clock2, f.speed2, in.sign2, f.lastSign2, in.left2,
                      in.right2, f.clock1, f.lastSign1, f.life1};
}

static float gapOf(const Fight& fight) { return fight.pos2 - fight.pos1; }

// A key press is one step: the speed does not carry over from the previous update, so the
// decay the speed would have had over the step is deliberately not applied.
static float setSpeed(int right, int left) { return STEP_SPEED * right - STEP_SPEED * left; }

// Close range: paper punches, scissors head-punches, unless the sign repeats the last one.
// A rock or a repeated sign still enters the strike state, with move 0, for this update.
static void strike(PlayerTurn& turn) {
    turn.begin(STRIKING, REST);
    if (turn.sign == PAPER && turn.sign != turn.lastSign) {
        turn.setMove(PUNCH);
        noteStrike(turn.step, PUNCH);
    }
    if (turn.sign == SCISSORS && turn.sign != turn.lastSign) {
        turn.setMove(HEAD_PUNCH);
        noteStrike(turn.step, HEAD_PUNCH);
    }
    if (gapOf(turn.fight) < DistCAC) {
        turn.lifeOpponent -= STRIKE_DAMAGE_PER_MOVE * turn.move();
        noteHit(turn.step, turn.move(), turn.opponent);
    }
}

// An idle player strikes, winds up the combo, and walks; nobody else walks.
static void idleStep(PlayerTurn& turn) {
    if (turn.state() != IDLE) {
        turn.speed = setSpeed(0, 0);
        return;
    }
    if (gapOf(turn.fight) < DistCACL && turn.sign != NO_SIGN) {
        strike(turn);
    } else if (turn.sign == PAPER || turn.sign == SCISSORS) {
        turn.begin(WINDING_UP, WIND_UP);
    }
    turn.speed = setSpeed(turn.right, turn.left);
}

// A strike, or the wind-down, runs its clock and returns to idle after its last tick.
static void idleAfterMove(PlayerTurn& turn, int state) {
    if (turn.state() != state) {
        return;
    }
    if (turn.clock > turn.length() - 1) {
        turn.begin(IDLE, REST);
    } else {
        turn.clock += turn.fight.tickStep;
    }
}

// The combo's special follows the sign it was wound up with; any other last sign launches nothing.
static void launchSpecial(PlayerTurn& turn) {
    if (turn.lastSign == PAPER) {
        turn.begin(SPECIAL, SPECIAL_PAPER);
    } else if (turn.lastSign == SCISSORS) {
        turn.begin(SPECIAL, SPECIAL_SCISSORS);
    }
}

// The opponent has just called a duel: this player's special starts, in slow motion.
static void takeUpDuel(PlayerTurn& turn) {
    Fight& fight = turn.fight;
    if (fight.game.getGameState() != DUEL_CALLED) {
        return;
    }
    launchSpecial(turn);
    fight.tickStep = DUEL_TICK_STEP;
    fight.game.setGameState(DUEL_UNDER_WAY);
}

// A release while the opponent winds up past clock 20, both on the same last sign, calls a duel.
static bool callsDuel(const PlayerTurn& turn) {
    return turn.fight.game.getPstate(turn.opponent) == WINDING_UP &&
           turn.clockOpponent > DUEL_CALL_CLOCK && turn.lastSign == turn.lastSignOpponent;
}

// With the move the player has now (a special launched by taking up a duel passes here too):
// rock abandons an unfinished wind-up; a complete one is held, and rock releases it.
static void advanceWindUp(PlayerTurn& turn) {
    Fight& fight = turn.fight;
    int length = turn.length();
    if (turn.sign == ROCK && turn.clock < length - 2) {
        turn.begin(WIND_DOWN_ORDERED, WIND_DOWN);
    } else if (turn.clock < length - 2) {
        turn.clock += fight.tickStep;
    } else {
        turn.clock = length - 1;
        if (turn.sign == ROCK) {
            if (callsDuel(turn)) {
                fight.game.setGameState(DUEL_CALLED);
            }
            launchSpecial(turn);
        }
    }
}

// Winding up the combo: a duel called by the opponent is taken up first.
static void windUpStep(PlayerTurn& turn) {
    if (turn.state() != WINDING_UP) {
        return;
    }
    takeUpDuel(turn);
    advanceWindUp(turn);
}

// An abandoned wind-up winds down from this very update.
static void orderWindDown(PlayerTurn& turn) {
    if (turn.state() == WIND_DOWN_ORDERED) {
        turn.setState(WINDING_DOWN);
    }
}

// The special lunges, bursts twice on the opponent, and hurts when it ends outside a duel.
static void specialStep(PlayerTurn& turn) {
    Fight& fight = turn.fight;
    if (turn.state() != SPECIAL) {
        return;
    }
    if (turn.clock > turn.length() - 1) {
        turn.begin(WINDING_DOWN, WIND_DOWN);
        if (fight.game.getGameState() != DUEL_UNDER_WAY) {
            turn.lifeOpponent -= SPECIAL_DAMAGE;
        }
        return;
    }
    turn.clock += fight.tickStep;
    if (turn.clock == FIRST_BURST_TICK || turn.clock == SECOND_BURST_TICK) {
        noteHit(turn.step, turn.move(), turn.opponent);
    }
}

// Each step sees the state the earlier ones left, so a player may pass several states at once.
void playTurn(FrameStep& step, int player) {
    PlayerTurn turn = turnOf(step, player);
    idleStep(turn);
    idleAfterMove(turn, STRIKING);
    windUpStep(turn);
    orderWindDown(turn);
    specialStep(turn);
    idleAfterMove(turn, WINDING_DOWN);
}
