// Running a fight ahead of the other player's inputs and correcting it when they arrive.
#include "rules/rollback_fight.h"

#include <algorithm>
#include <climits>

#include "rules/fingerprint.h"

RollbackFight::RollbackFight(const Fight& start, FightRules rules_, int localPlayer, int inputDelay)
    : fight(start), rules(rules_), local(localPlayer == 1 ? 1 : 2), delay(inputDelay),
      firstWrongGuess(INT_MAX) {
    localInputs.assign(delay, 0);
    states[0] = fight;
}

// A frame whose guess has proved wrong is not final until it has been run again.
int RollbackFight::lastFinalFrame() const {
    return std::min(std::min(lastRemoteFrame(), next - 1), firstWrongGuess - 1);
}

FrameInputs RollbackFight::finalInputs(int frame) const {
    PlayerInput mine = localInputs[frame];
    PlayerInput theirs = remoteInputs[frame];
    return local == 1 ? combineInputs(mine, theirs) : combineInputs(theirs, mine);
}

FrameInputs RollbackFight::playedInputs(int frame) const {
    PlayerInput mine = localInputs[frame];
    PlayerInput theirs = guessesUsed[frame];
    return local == 1 ? combineInputs(mine, theirs) : combineInputs(theirs, mine);
}

void RollbackFight::addRemoteInput(int frame, PlayerInput input) {
    if (frame != lastRemoteFrame() + 1 || !isPlayerInput(input)) {
        return;
    }
    remoteInputs.push_back(input);
    if (frame < next && guessesUsed[frame] != input) {
        firstWrongGuess = std::min(firstWrongGuess, frame);
    }
}

// The guess is the last input seen from the other player.
PlayerInput RollbackFight::remoteInputFor(int frame) const {
    if (frame <= lastRemoteFrame()) {
        return remoteInputs[frame];
    }
    return remoteInputs.empty() ? 0 : remoteInputs.back();
}

RollbackRun RollbackFight::advance() {
    RollbackRun ran;
    if (firstWrongGuess < next) {
        int depth = next - firstWrongGuess;
        stats.rollbacks++;
        stats.framesRunAgain += depth;
        stats.deepest = std::max(stats.deepest, depth);
        fight = states[firstWrongGuess % SAVED_STATES];
        for (int f = firstWrongGuess; f < next; f++) {
            run(f, ran);
        }
    }
    firstWrongGuess = INT_MAX;
    if (lastLocalFrame() < next) {
        addLocalInput(0);
    }
    run(next, ran);
    next++;
    states[next % SAVED_STATES] = fight;
    return ran;
}

void RollbackFight::run(int frame, RollbackRun& ran) {
    states[frame % SAVED_STATES] = fight;
    PlayerInput theirs = remoteInputFor(frame);
    if ((int)guessesUsed.size() <= frame) {
        guessesUsed.resize(frame + 1);
        fingerprints.resize(frame + 1);
    }
    guessesUsed[frame] = theirs;
    PlayerInput mine = localInputs[frame];
    FrameRun frameRun;
    frameRun.events = rules(fight, local == 1 ? combineInputs(mine, theirs) : combineInputs(theirs, mine));
    fingerprints[frame] = fightFingerprint(fight);
    showOnce(frame, frameRun, ran.sounds);
    ran.frames.push_back(frameRun);
}

// Sparks fly from a hit by any move but the rock strike (move 0).
static bool sparksFly(const FightEvents& events) {
    for (int i = 0; i < events.hitCount; i++) {
        if (events.hits[i].move > 0) {
            return true;
        }
    }
    return false;
}

// A frame run again shows nothing it has shown already; what only the corrected frame has (a
// strike the guess missed) is shown now, late by the depth of the correction.
void RollbackFight::showOnce(int frame, FrameRun& frameRun, std::vector<int>& sounds) {
    FrameEffects& shown = effects[frame % SAVED_STATES];
    if (shown.frame != frame) {
        shown = FrameEffects();
        shown.frame = frame;
    }
    std::vector<int> heard = shown.sounds;
    const FightEvents& events = frameRun.events;
    for (int i = 0; i < events.strikeCount; i++) {
        int strike = events.strikes[i];
        std::vector<int>::iterator same = std::find(heard.begin(), heard.end(), strike);
        if (same != heard.end()) {
            heard.erase(same);
        } else {
            sounds.push_back(strike);
            shown.sounds.push_back(strike);
        }
    }
    frameRun.sparksThrown = shown.sparks;
    shown.sparks = shown.sparks || sparksFly(events);
}
