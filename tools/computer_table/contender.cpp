// The players of the computer's table: the computer at a level, or a simple scripted player.
#include "tools/computer_table/contender.h"

#include "computer/fight_knowledge.h"

static const int SCRIPT_PRESS_INTERVAL = 4;

std::string contenderName(ContenderKind kind) {
    switch (kind) {
    case COMPUTER_EASY: return "easy";
    case COMPUTER_NORMAL: return "normal";
    case COMPUTER_HARD: return "hard";
    case RANDOM_MASHER: return "random masher";
    case STRIKER: return "striker";
    case SAME_SIGN: return "same-sign duellist";
    }
    return "?";
}

Contender::Contender(ContenderKind kind, int player, uint32_t seed)
    : kind(kind), me(player == 1 ? 0 : 1), dice(seed) {
    if (kind <= COMPUTER_HARD) {
        Level level = kind == COMPUTER_EASY ? EASY : kind == COMPUTER_NORMAL ? NORMAL : HARD;
        computer.reset(new Computer(player, level, seed));
    }
}

ComputerAction Contender::play(const VisibleFight& screen) {
    if (computer) {
        return computer->play(screen);
    }
    ComputerAction keys;
    if (frame - lastPress >= SCRIPT_PRESS_INTERVAL) {
        keys = script(screen);
    }
    if (keys.left || keys.right || keys.sign != NO_SIGN) {
        lastPress = frame;
    }
    if (keys.sign != NO_SIGN) {
        ownSign = keys.sign;
    }
    frame++;
    return keys;
}

ComputerAction Contender::script(const VisibleFight& screen) {
    switch (kind) {
    case RANDOM_MASHER: return masher();
    case STRIKER: return striker(screen);
    default: return sameSign(screen);
    }
}

ComputerAction Contender::step(bool toward) const {
    ComputerAction keys;
    if ((me == 0) == toward) {
        keys.right = 1;
    } else {
        keys.left = 1;
    }
    return keys;
}

ComputerAction Contender::strike() {
    ComputerAction keys;
    keys.sign = ownSign == SCISSORS ? PAPER : SCISSORS;
    return keys;
}

ComputerAction Contender::masher() {
    ComputerAction keys;
    switch (dice.roll(5)) {
    case 0: keys.left = 1; break;
    case 1: keys.right = 1; break;
    default: keys.sign = ROCK + dice.roll(3); break;
    }
    return keys;
}

ComputerAction Contender::striker(const VisibleFight& screen) {
    float gap = screen.robots[1].pos - screen.robots[0].pos;
    if (screen.robots[me].state != IDLE) {
        return ComputerAction();
    }
    return gap < CONTACT_GAP ? strike() : step(true);
}

ComputerAction Contender::sameSign(const VisibleFight& screen) {
    const VisibleRobot& mine = screen.robots[me];
    float gap = screen.robots[1].pos - screen.robots[0].pos;
    ComputerAction keys;
    if (screen.duelUnderWay) {
        keys.sign = ownSign == SCISSORS ? NO_SIGN : SCISSORS;
    } else if (mine.state == WINDING_UP && mine.clock >= WIND_UP_COMPLETE) {
        keys.sign = ROCK;
    } else if (mine.state != IDLE) {
        return keys;
    } else if (gap >= STRIKE_RANGE) {
        keys.sign = PAPER;
    } else if (gap < CONTACT_GAP) {
        return strike();
    } else {
        return step(false);
    }
    return keys;
}
