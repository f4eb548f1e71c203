// The computer opponent: given what is on screen each frame, it presses a player's keys.
#ifndef VANTORIX_COMPUTER_H
#define VANTORIX_COMPUTER_H

#include <cstdint>
#include <deque>

#include "computer/dice.h"
#include "computer/level.h"
#include "computer/sign_habits.h"
#include "computer/visible_fight.h"

// The keys of one frame: at most one of them is pressed.
struct ComputerAction {
    int left = 0;
    int right = 0;
    int sign = NO_SIGN;
};

class Computer {
public:
    // Plays player 1 or 2 at the given level; the seed starts its own dice.
    Computer(int player, Level level, uint32_t seed);

    // Once per frame, before the frame's update: the screen as it stands, and the keys it presses.
    ComputerAction play(const VisibleFight& screen);

    int player() const { return me + 1; }

private:
    // A screen waiting for the reaction time to pass, with the sign the computer held when it
    // was shown (its own, which it always knows).
    struct Sighting {
        VisibleFight screen;
        int ownSign;
    };

    int me;
    int opponent;
    LevelTraits traits;
    Dice dice;
    SignHabits habits;
    std::deque<Sighting> pending;
    long frame = 0;
    int ownSign = NO_SIGN;
    long lastPress = -1000;
    // A sign that changes the robot's move waits to be seen taking effect before the next one.
    long awaitingFrom = -1000;
    long releasedAt = -1000;
    long hesitateUntil = -1;
    // When its wind-up was first seen complete, -1 while it is not holding one.
    long heldSince = -1;
    // What the key wished for this frame is meant to do (a Wish value).
    int wish = 0;

    // The sign the opponent last wound up with, seen on their tower as they did.
    int opponentWindUpSign = NO_SIGN;

    // The duel as the computer follows it.
    bool inDuel = false;
    int countdownsSeen = 0;
    int exchangesSeen = 0;
    int opponentHeld = NO_SIGN;
    int ownSignBefore = NO_SIGN;
    int plannedExchange = -1;
    int plannedSign = NO_SIGN;

    void learn(const Sighting& seen);
    void learnDuel(const VisibleFight& seen, int ownSignThen);
    ComputerAction decide(const VisibleFight& view);
    ComputerAction idleAction(const VisibleFight& view);
    ComputerAction windUpAction(const VisibleFight& view);
    ComputerAction busyAction(const VisibleFight& view);
    ComputerAction duelAction();
    ComputerAction press(const ComputerAction& wanted);

    ComputerAction stepToward(bool toward);
    ComputerAction wished(int kind, int sign);
    bool ownMoveUnseen(long ownFrame) const { return ownFrame <= awaitingFrom; }
    float gap(const VisibleFight& view) const;
    int windUpSign();
    bool wantsDuel(int opponentSign) const;
    int duelSign(int exchange);
};

#endif
