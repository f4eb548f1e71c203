// Saving, restoring and advancing the rules' state, and packing a player's inputs.
#include "game/rollback.h"

#include "game/World.h"

FightState saveFight(const World& world) {
    FightState s;
    s.pos1 = world.pos1;
    s.speed1 = world.speed1;
    s.pos2 = world.pos2;
    s.speed2 = world.speed2;
    s.drawPos1 = world.drawPos1;
    s.drawPos2 = world.drawPos2;
    s.clock1 = world.clock1;
    s.clock2 = world.clock2;
    s.duelScore = world.duelScore;
    s.tickStep = world.tickStep;
    s.timer = world.timer;
    s.lastSign1 = world.lastSign1;
    s.lastSign2 = world.lastSign2;
    s.life1 = world.life1;
    s.life2 = world.life2;
    s.game = world.game;
    for (int t = 0; t < 5; t++) {
        s.towers[t] = world.moves.getTower(t + 1);
    }
    return s;
}

void loadFight(World& world, const FightState& s) {
    world.pos1 = s.pos1;
    world.speed1 = s.speed1;
    world.pos2 = s.pos2;
    world.speed2 = s.speed2;
    world.drawPos1 = s.drawPos1;
    world.drawPos2 = s.drawPos2;
    world.clock1 = s.clock1;
    world.clock2 = s.clock2;
    world.duelScore = s.duelScore;
    world.tickStep = s.tickStep;
    world.timer = s.timer;
    world.lastSign1 = s.lastSign1;
    world.lastSign2 = s.lastSign2;
    world.life1 = s.life1;
    world.life2 = s.life2;
    world.game = s.game;
    RecordList* towers[5] = {&world.moves.tower1, &world.moves.tower2, &world.moves.tower3,
                             &world.moves.tower4, &world.moves.tower5};
    for (int t = 0; t < 5; t++) {
        *towers[t] = s.towers[t];
    }
}

void advanceFight(World& world, const FrameInputs& inputs) {
    giveInputs(world, inputs);
    world.update();
}

PlayerInput packPlayerInput(int left, int right, int sign, int towerKeys) {
    return (PlayerInput)((left ? 1 : 0) | (right ? 2 : 0) | ((sign & 3) << 2) |
                         ((towerKeys & 7) << 4));
}

bool isPlayerInput(int byte) { return byte >= 0 && byte < 128; }

FrameInputs combineInputs(PlayerInput player1, PlayerInput player2) {
    FrameInputs inputs;
    inputs.left1 = player1 & 1;
    inputs.right1 = (player1 >> 1) & 1;
    inputs.sign1 = (player1 >> 2) & 3;
    inputs.left2 = player2 & 1;
    inputs.right2 = (player2 >> 1) & 1;
    inputs.sign2 = (player2 >> 2) & 3;
    inputs.towerKeys = ((player1 | player2) >> 4) & 7;
    return inputs;
}

PlayerInput playerShare(const FrameInputs& inputs, int player) {
    if (player == 1) {
        return packPlayerInput(inputs.left1, inputs.right1, inputs.sign1, inputs.towerKeys);
    }
    return packPlayerInput(inputs.left2, inputs.right2, inputs.sign2, inputs.towerKeys);
}
