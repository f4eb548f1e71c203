// The players of the computer's table: the computer at a level, or a simple scripted player.
#ifndef VANTORIX_CONTENDER_H
#define VANTORIX_CONTENDER_H

#include <cstdint>
#include <memory>
#include <string>

#include "computer/computer.h"

enum ContenderKind {
    COMPUTER_EASY,
    COMPUTER_NORMAL,
    COMPUTER_HARD,
    // Presses a random key (a step or a sign) about every fourth frame.
    RANDOM_MASHER,
    // Walks in and strikes, scissors and paper in turn; nothing else.
    STRIKER,
    // Winds up with paper, releases, and answers every duel exchange with scissors.
    SAME_SIGN,
};

std::string contenderName(ContenderKind kind);

// Scripted players see the screen as it is (no reaction time) and press a key at most every
// fourth frame, as a quick player would.
class Contender {
public:
    Contender(ContenderKind kind, int player, uint32_t seed);
    ComputerAction play(const VisibleFight& screen);

private:
    ContenderKind kind;
    int me;
    Dice dice;
    std::unique_ptr<Computer> computer;
    long frame = 0;
    long lastPress = -100;
    int ownSign = NO_SIGN;

    ComputerAction script(const VisibleFight& screen);
    ComputerAction masher();
    ComputerAction striker(const VisibleFight& screen);
    ComputerAction sameSign(const VisibleFight& screen);
    ComputerAction step(bool toward) const;
    ComputerAction strike();
};

#endif
