// The fight's rules for one frame: each player's turn, the duel, the positions and the signs.
#include <cmath>

#include "game/World.h"
#include "game/codes.h"
#include "game/duel.h"

static const int SPECIAL_DAMAGE = 20;
static const int STRIKE_DAMAGE_PER_MOVE = 5;
static const int SPARKS_PER_MOVE = 20;
// The special's two bursts go off at these ticks of its clock, when the lunge reaches home.
static const int FIRST_BURST_TICK = 70;
static const int SECOND_BURST_TICK = 75;
// The opponent's wind-up must be past this clock for a release to call a duel.
static const int DUEL_CALL_CLOCK = 20;
static const float STEP_SPEED = 0.05f;

// One player's side of the rules for the length of a turn: its own fields and the
// opponent's that the rules read or hurt.
struct PlayerTurn {
    World& world;
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

    int state() const { return world.fight.game.getPstate(player); }
    void setState(int value) { world.fight.game.setPstate(player, value); }
    int move() const { return world.fight.game.getPmove(player); }
    void setMove(int value) { world.fight.game.setPmove(player, value); }
    int length() const { return world.moves.getMoveLength(move()); }
    // Starts a move from its first tick.
    void begin(int newState, int newMove) {
        setState(newState);
        setMove(newMove);
        clock = 0;
    }
};

static PlayerTurn turnOf(World& world, int player) {
    if (player == 1) {
        return PlayerTurn{world, 1, 2, world.fight.clock1, world.fight.speed1, world.sign1, world.fight.lastSign1,
                          world.left1, world.right1, world.fight.clock2, world.fight.lastSign2, world.fight.life2};
    }
    return PlayerTurn{world, 2, 1, world.fight.clock2, world.fight.speed2, world.sign2, world.fight.lastSign2,
                      world.left2, world.right2, world.fight.clock1, world.fight.lastSign1, world.fight.life1};
}

static float gapOf(const World& world) { return world.fight.pos2 - world.fight.pos1; }

// Close range: paper punches, scissors head-punches, unless the sign repeats the last one.
// A rock or a repeated sign still enters the strike state, with move 0, for this update.
static void strike(PlayerTurn& turn) {
    World& world = turn.world;
    turn.begin(STRIKING, REST);
    if (turn.sign == PAPER && turn.sign != turn.lastSign) {
        turn.setMove(PUNCH);
        world.strikeSounds.push_back(PUNCH);
    }
    if (turn.sign == SCISSORS && turn.sign != turn.lastSign) {
        turn.setMove(HEAD_PUNCH);
        world.strikeSounds.push_back(HEAD_PUNCH);
    }
    if (gapOf(world) < DistCAC) {
        turn.lifeOpponent -= STRIKE_DAMAGE_PER_MOVE * turn.move();
        world.setExplosion(turn.move(), turn.opponent);
    }
}

// An idle player strikes, winds up the combo, and walks; nobody else walks.
static void idleStep(PlayerTurn& turn) {
    World& world = turn.world;
    if (turn.state() != IDLE) {
        turn.speed = world.setSpeed(turn.speed, 0, 0);
        return;
    }
    if (gapOf(world) < DistCACL && world.checkInput(turn.player)) {
        strike(turn);
    } else if (turn.sign == PAPER || turn.sign == SCISSORS) {
        turn.begin(WINDING_UP, WIND_UP);
    }
    turn.speed = world.setSpeed(turn.speed, turn.right, turn.left);
}

// A strike, or the wind-down, runs its clock and returns to idle after its last tick.
static void idleAfterMove(PlayerTurn& turn, int state) {
    if (turn.state() != state) {
        return;
    }
    if (turn.clock > turn.length() - 1) {
        turn.begin(IDLE, REST);
    } else {
        turn.clock += turn.world.fight.tickStep;
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
    World& world = turn.world;
    if (world.fight.game.getGameState() != DUEL_CALLED) {
        return;
    }
    launchSpecial(turn);
    world.fight.tickStep = 1;
    world.fight.game.setGameState(DUEL_UNDER_WAY);
}

// A release while the opponent winds up past clock 20, both on the same last sign, calls a duel.
static bool callsDuel(const PlayerTurn& turn) {
    return turn.world.fight.game.getPstate(turn.opponent) == WINDING_UP &&
           turn.clockOpponent > DUEL_CALL_CLOCK && turn.lastSign == turn.lastSignOpponent;
}

// With the move the player has now (a special launched by taking up a duel passes here too):
// rock abandons an unfinished wind-up; a complete one is held, and rock releases it.
static void advanceWindUp(PlayerTurn& turn) {
    World& world = turn.world;
    int length = turn.length();
    if (turn.sign == ROCK && turn.clock < length - 2) {
        turn.begin(WIND_DOWN_ORDERED, WIND_DOWN);
    } else if (turn.clock < length - 2) {
        turn.clock += world.fight.tickStep;
    } else {
        turn.clock = length - 1;
        if (turn.sign == ROCK) {
            if (callsDuel(turn)) {
                world.fight.game.setGameState(DUEL_CALLED);
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
    World& world = turn.world;
    if (turn.state() != SPECIAL) {
        return;
    }
    if (turn.clock > turn.length() - 1) {
        turn.begin(WINDING_DOWN, WIND_DOWN);
        if (world.fight.game.getGameState() != DUEL_UNDER_WAY) {
            turn.lifeOpponent -= SPECIAL_DAMAGE;
        }
        return;
    }
    turn.clock += world.fight.tickStep;
    if (turn.clock == FIRST_BURST_TICK || turn.clock == SECOND_BURST_TICK) {
        world.setExplosion(turn.move(), turn.opponent);
    }
}

// Each step sees the state the earlier ones left, so a player may pass several states at once.
static void playTurn(World& world, int player) {
    PlayerTurn turn = turnOf(world, player);
    idleStep(turn);
    idleAfterMove(turn, STRIKING);
    windUpStep(turn);
    orderWindDown(turn);
    specialStep(turn);
    idleAfterMove(turn, WINDING_DOWN);
}

void World::update() {
    strikeSounds.clear();
    testTime();
    camera.updateCamera(fight.pos1, fight.pos2);
    moveTower(fight.towers, 1);
    playTurn(*this, 1);
    playTurn(*this, 2);
    if (fight.game.getGameState() == DUEL_UNDER_WAY) {
        runDuelSchedule(*this);
    }
    updatePositions();
    testLives();
    testTime();
    setLastSign();
    showLives();
}

// Signs given during a duel are kept secret; otherwise a new sign rises on the player's tower.
void World::setLastSign() {
    if (fight.game.getGameState() == DUEL_UNDER_WAY) {
        if (sign1 != 0) {
            fight.lastSign1 = sign1;
        }
        if (sign2 != 0) {
            fight.lastSign2 = sign2;
        }
        return;
    }
    if (sign1 != 0 && sign1 != fight.lastSign1) {
        fight.lastSign1 = sign1;
        addStage(fight.towers, TOWER_SIGNS1, signSlot(sign1));
    }
    if (sign2 != 0 && sign2 != fight.lastSign2) {
        fight.lastSign2 = sign2;
        addStage(fight.towers, TOWER_SIGNS2, signSlot(sign2));
    }
}

// Sparks fly from the robot that is hit, 20 for each step of the attacking move's id.
void World::setExplosion(int move, int hit) {
    float x = hit == 2 ? (float)((double)fight.pos2 - 0.2) : (float)((double)fight.pos1 + 0.3);
    std::vector<float> burst = {x, 0.5f, 0.0f, 1.0f, 1.0f, 1.0f};
    moves.newBang(burst, SPARKS_PER_MOVE * move, hit);
}

// A key press is one step: the speed does not carry over from the previous update, so the
// decay the speed would have had over the step is deliberately not applied.
float World::setSpeed(float speed, int right, int left) {
    (void)speed;
    return STEP_SPEED * right - STEP_SPEED * left;
}

// The test looks one tick ahead; the move then spans the whole step.
void World::updatePositions() {
    if (fight.pos2 + fight.speed2 - fight.pos1 - fight.speed1 > limiteContactRobots) {
        fight.pos1 += fight.tickStep * fight.speed1;
        fight.pos2 += fight.tickStep * fight.speed2;
    } else {
        float middle = (fight.pos1 + fight.pos2) / 2;
        fight.pos1 = middle - limiteContactRobots / 2;
        fight.pos2 = middle + limiteContactRobots / 2;
    }
    if (fight.pos1 > 14.0f) {
        fight.pos1 = 14.0f;
    }
    if (fight.pos2 > 15.0f) {
        fight.pos2 = 15.0f;
    }
    if (fight.pos1 < -14.0f) {
        fight.pos1 = -14.0f;
    }
}

// Lives may fall below zero and the fight goes on: there is one fight per run and nothing
// ends it. This is the one place where a knock-out would be noticed.
void World::testLives() {}

// The start-up countdown that holds back the webcam input; called twice per update.
void World::testTime() { fight.timer -= 1; }
