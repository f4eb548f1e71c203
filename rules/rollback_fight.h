// A fight played on one machine against inputs of the other player that arrive late: it runs
// ahead on a guess of them and, when the real ones differ, runs the frames again from there.
#ifndef VANTORIX_ROLLBACK_FIGHT_H
#define VANTORIX_ROLLBACK_FIGHT_H

#include <cstdint>
#include <vector>

#include "rules/fight.h"
#include "rules/frame_inputs.h"
#include "rules/step.h"

// How often and how deep the fight went back.
struct RollbackCounts {
    long rollbacks = 0;
    long framesRunAgain = 0;
    int deepest = 0;
};

// One frame as advance() ran it: what the rules reported, and whether an earlier run of the same
// frame threw sparks already (they are not thrown twice).
struct FrameRun {
    FightEvents events;
    bool sparksThrown = false;
};

// What one advance() ran, in order, and the strikes to be heard now: those of frames not heard
// before, each once.
struct RollbackRun {
    std::vector<FrameRun> frames;
    std::vector<int> sounds;
};

class RollbackFight {
public:
    // States kept for going back; a guess never reaches further than AHEAD_LIMIT frames past the
    // other player's last known input, so every frame still to correct has its state here.
    static const int SAVED_STATES = 16;
    static const int AHEAD_LIMIT = 10;

    // The fight starts from start and is stepped by rules. This machine's inputs of the first
    // inputDelay frames are empty, as are the other's until they say otherwise.
    RollbackFight(const Fight& start, FightRules rules, int localPlayer, int inputDelay);

    // The fight after the last frame run, guesses and all: what the screen shows.
    const Fight& current() const { return fight; }

    int localPlayer() const { return local; }
    int inputDelay() const { return delay; }
    // The next frame to run.
    int frame() const { return next; }
    // The last frame whose input from the other player is known, -1 before any.
    int lastRemoteFrame() const { return (int)remoteInputs.size() - 1; }
    // The last frame whose input from this machine is known.
    int lastLocalFrame() const { return (int)localInputs.size() - 1; }
    PlayerInput localInput(int frame) const { return localInputs[frame]; }
    // The last frame both players' inputs are known for and that has been run with them: its
    // state, and every one before, is the same on both machines.
    int lastFinalFrame() const;
    // The fingerprint of the state after a frame that has been run.
    uint32_t fingerprintAfter(int frame) const { return fingerprints[frame]; }
    // Both players' inputs of a final frame, as the rules read them.
    FrameInputs finalInputs(int frame) const;
    // The inputs a frame that has been run was last run with: the final ones, or a guess.
    FrameInputs playedInputs(int frame) const;

    // False while the guesses would reach too far past the other player's known inputs.
    bool canAdvance() const { return next - lastRemoteFrame() <= AHEAD_LIMIT; }
    // This machine's input of the displayed frame, for the frame inputDelay frames later.
    void addLocalInput(PlayerInput input) { localInputs.push_back(input); }
    // The other player's input of a frame; only the next unknown frame is taken (the rest are
    // repeats or arrive after a gap and come again).
    void addRemoteInput(int frame, PlayerInput input);
    // Runs again the frames whose guesses proved wrong, then one new frame.
    RollbackRun advance();

    const RollbackCounts& counts() const { return stats; }

private:
    // What a frame has already shown: its strikes heard and whether its sparks flew.
    struct FrameEffects {
        int frame = -1;
        std::vector<int> sounds;
        bool sparks = false;
    };

    Fight fight;
    FightRules rules;
    int local;
    int delay;
    int next = 0;
    int firstWrongGuess;
    std::vector<PlayerInput> localInputs;
    std::vector<PlayerInput> remoteInputs;
    std::vector<PlayerInput> guessesUsed;
    std::vector<uint32_t> fingerprints;
    Fight states[SAVED_STATES];
    FrameEffects effects[SAVED_STATES];
    RollbackCounts stats;

    PlayerInput remoteInputFor(int frame) const;
    void run(int frame, RollbackRun& ran);
    void showOnce(int frame, FrameRun& frameRun, std::vector<int>& sounds);
};

#endif
