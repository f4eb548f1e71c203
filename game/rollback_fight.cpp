// Running a fight ahead of the other player's inputs and correcting it when they arrive.
#include "game/rollback_fight.h"

#include <algorithm>
#include <climits>

#include "game/World.h"
#include "rules/fingerprint.h"

RollbackFight::RollbackFight(World& world_, int localPlayer, int inputDelay)
    : world(world_), local(localPlayer == 1 ? 1 : 2), delay(inputDelay), firstWrongGuess(INT_MAX) {
    localInputs.assign(delay, 0);
    states[0] = world.fight;
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

std::vector<int> RollbackFight::advance() {
    std::vector<int> sounds;
    if (firstWrongGuess < next) {
        int depth = next - firstWrongGuess;
        stats.rollbacks++;
        stats.framesRunAgain += depth;
        stats.deepest = std::max(stats.deepest, depth);
        world.fight = states[firstWrongGuess % SAVED_STATES];
        for (int f = firstWrongGuess; f < next; f++) {
            run(f, sounds);
        }
    } else {
        // What the frame's own input handling raised on the world directly does not count.
        world.fight = states[next % SAVED_STATES];
    }
    firstWrongGuess = INT_MAX;
    if (lastLocalFrame() < next) {
        addLocalInput(0);
    }
    run(next, sounds);
    next++;
    states[next % SAVED_STATES] = world.fight;
    return sounds;
}

void RollbackFight::run(int frame, std::vector<int>& sounds) {
    states[frame % SAVED_STATES] = world.fight;
    PlayerInput theirs = remoteInputFor(frame);
    if ((int)guessesUsed.size() <= frame) {
        guessesUsed.resize(frame + 1);
        fingerprints.resize(frame + 1);
    }
    guessesUsed[frame] = theirs;
    PlayerInput mine = localInputs[frame];
    size_t sparksBefore = world.moves.particles.size();
    advanceFight(world, local == 1 ? combineInputs(mine, theirs) : combineInputs(theirs, mine));
    fingerprints[frame] = fightFingerprint(world.fight);
    showOnce(frame, sparksBefore, sounds);
}

// A frame run again shows nothing it has shown already; what only the corrected frame has (a
// strike the guess missed) is shown now, late by the depth of the correction.
void RollbackFight::showOnce(int frame, size_t sparksBefore, std::vector<int>& sounds) {
    FrameEffects& shown = effects[frame % SAVED_STATES];
    if (shown.frame != frame) {
        shown = FrameEffects();
        shown.frame = frame;
    }
    std::vector<int> heard = shown.sounds;
    for (int strike : world.strikeSounds) {
        std::vector<int>::iterator same = std::find(heard.begin(), heard.end(), strike);
        if (same != heard.end()) {
            heard.erase(same);
        } else {
            sounds.push_back(strike);
            shown.sounds.push_back(strike);
        }
    }
    bool flew = world.moves.particles.size() > sparksBefore;
    if (shown.sparks) {
        world.moves.particles.resize(sparksBefore);
    }
    shown.sparks = shown.sparks || flew;
}
