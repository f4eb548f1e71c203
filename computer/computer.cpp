// The computer's frame: it sees the screen after its reaction time, learns, decides, and presses.
#include "computer/computer.h"

#include "computer/fight_knowledge.h"
#include "computer/wish.h"

Computer::Computer(int player, Level level, uint32_t seed)
    : me(player == 1 ? 0 : 1), opponent(player == 1 ? 1 : 0), traits(traitsOf(level)), dice(seed) {}

ComputerAction Computer::play(const VisibleFight& screen) {
    pending.push_back(Sighting{screen, ownSign});
    ComputerAction action;
    if ((int)pending.size() > traits.reactionFrames) {
        Sighting seen = pending.front();
        pending.pop_front();
        learn(seen);
        VisibleFight view = seen.screen;
        view.robots[me] = pending[pending.size() - 1 - traits.ownDelayFrames].screen.robots[me];
        action = press(decide(view));
    }
    frame++;
    return action;
}

float Computer::gap(const VisibleFight& view) const {
    return view.robots[1].pos - view.robots[0].pos;
}

ComputerAction Computer::decide(const VisibleFight& view) {
    wish = WISH_NOTHING;
    const VisibleRobot& mine = view.robots[me];
    if (view.duelUnderWay && mine.state == SPECIAL) {
        return duelAction();
    }
    long ownFrame = frame - traits.ownDelayFrames;
    if (mine.state != WINDING_UP) {
        heldSince = -1;
    }
    if (mine.state == IDLE || mine.state == WINDING_UP) {
        if (ownMoveUnseen(ownFrame)) {
            return ComputerAction();
        }
        return mine.state == IDLE ? idleAction(view) : windUpAction(view);
    }
    return busyAction(view);
}

ComputerAction Computer::stepToward(bool toward) {
    ComputerAction keys;
    // Player 1 stands on the left, so toward the opponent is to the right.
    if ((me == 0) == toward) {
        keys.right = 1;
    } else {
        keys.left = 1;
    }
    wish = WISH_WALK;
    return keys;
}

ComputerAction Computer::wished(int kind, int sign) {
    ComputerAction keys;
    keys.sign = sign;
    wish = kind;
    return keys;
}

// Fingers are not perfect: a press may come too soon after the last, hesitate, or slip.
ComputerAction Computer::press(const ComputerAction& wanted) {
    bool wantsKey = wanted.left || wanted.right || wanted.sign != NO_SIGN;
    if (!wantsKey || frame < hesitateUntil || frame - lastPress < traits.pressInterval) {
        return ComputerAction();
    }
    ComputerAction keys = wanted;
    int kind = wish;
    if (dice.chance(traits.mistakeRate)) {
        if (dice.chance(0.5)) {
            hesitateUntil = frame + 5 + dice.roll(20);
            return ComputerAction();
        }
        keys = ComputerAction();
        keys.sign = ROCK + dice.roll(3);
        kind = WISH_MOVE;
    }
    lastPress = frame;
    if (keys.sign != NO_SIGN) {
        ownSign = keys.sign;
    }
    if (kind == WISH_MOVE || kind == WISH_RELEASE) {
        awaitingFrom = frame;
    }
    if (kind == WISH_RELEASE) {
        releasedAt = frame;
    }
    return keys;
}
