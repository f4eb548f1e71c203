// The computer and the sign duel: following the exchanges on screen to learn the opponent's
// signs, and choosing its own secret sign before each exchange.
#include "computer/computer.h"
#include "computer/fight_knowledge.h"
#include "computer/wish.h"

void Computer::learn(const Sighting& seen) {
    const VisibleFight& screen = seen.screen;
    const VisibleRobot& them = screen.robots[opponent];
    if (them.state == WINDING_UP && (them.shownSign == PAPER || them.shownSign == SCISSORS)) {
        opponentWindUpSign = them.shownSign;
    }
    if (screen.duelUnderWay || inDuel) {
        learnDuel(screen, seen.ownSign);
    } else if (screen.robots[opponent].shownSignAge == 0) {
        habits.noteShown(screen.robots[opponent].shownSign);
    }
}

// A won exchange reveals the opponent's sign on their tower; a drawn one shows nothing, which
// says they played the computer's own sign.
void Computer::learnDuel(const VisibleFight& screen, int ownSignThen) {
    const VisibleRobot& them = screen.robots[opponent];
    if (screen.duelUnderWay && !inDuel) {
        inDuel = true;
        countdownsSeen = 0;
        exchangesSeen = 0;
        plannedExchange = -1;
        // The caller released with rock; the one who took the call up holds its wind-up sign.
        long seenFrame = frame - traits.reactionFrames;
        bool calledByMe = releasedAt >= seenFrame - 3 && releasedAt < seenFrame;
        opponentHeld = calledByMe ? them.shownSign : ROCK;
        ownSignBefore = ownSignThen;
    }
    if (screen.announcementNew) {
        bool exchange = false;
        if (screen.announcement == SLOT_COUNTDOWN) {
            countdownsSeen++;
            exchange = countdownsSeen >= 2;
        } else if (screen.announcement == SLOT_HIT || screen.announcement == SLOT_CRITICAL) {
            exchange = true;
        }
        if (exchange && exchangesSeen < EXCHANGES) {
            int theirs = them.shownSignAge == 0 ? them.shownSign : ownSignBefore;
            habits.noteExchange(exchangesSeen, opponentHeld, theirs);
            opponentHeld = theirs;
            exchangesSeen++;
        }
    }
    ownSignBefore = ownSignThen;
    if (!screen.duelUnderWay) {
        inDuel = false;
    }
}

// The sign beating the opponent's likeliest, now and then any sign so as not to be read in turn.
int Computer::duelSign(int exchange) {
    if (traits.habits == GUESSES) {
        return ROCK + dice.roll(3);
    }
    double odds[4];
    habits.expect(traits.habits, exchange, opponentHeld, odds);
    int likely = ROCK + dice.roll(3);
    for (int s = ROCK; s <= SCISSORS; s++) {
        if (odds[s] > odds[likely]) {
            likely = s;
        }
    }
    double wander = traits.habits == FOLLOWS_CHAINS ? 0.1 : 0.25;
    if (dice.chance(wander)) {
        return ROCK + dice.roll(3);
    }
    return signBeating(likely);
}

// Each exchange's sign is given as soon as the one before it has been seen settled.
ComputerAction Computer::duelAction() {
    if (exchangesSeen >= EXCHANGES) {
        return ComputerAction();
    }
    if (plannedExchange != exchangesSeen) {
        plannedExchange = exchangesSeen;
        plannedSign = duelSign(exchangesSeen);
    }
    if (ownSign != plannedSign) {
        return wished(WISH_SIGN_ONLY, plannedSign);
    }
    return ComputerAction();
}
