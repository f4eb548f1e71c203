// The fight's fingerprint: a short digest that two fights the rules cannot tell apart share.
#ifndef VANTORIX_FINGERPRINT_H
#define VANTORIX_FINGERPRINT_H

#include <cstdint>

#include "rules/digest.h"
#include "rules/fight.h"

// Frames between two fingerprints that a recording keeps or two machines compare: a second of play.
const int FINGERPRINT_FRAMES = 60;

// The fight's one serialisation, fed to a digest: every field of Fight in its order, each
// number as its four bytes, each tower as its stage count then its live stages.
void addFight(Digest& digest, const Fight& fight);
// The digest of that serialisation; recordings of format 2 on, and online play, compare it.
uint32_t fightFingerprint(const Fight& fight);
// What recordings of format 1 hold: lives, positions, speeds, clocks, the duel, the countdown,
// the last signs, the game state and each player's state and move; not the towers.
uint32_t fightFingerprintV1(const Fight& fight);

#endif
