// A long random fight on the rules alone, and the bounds the rules keep.
#include "tests/rules/random_fight.h"

#include <random>
#include <set>

#include "game/codes.h"
#include "rules/fingerprint.h"
#include "rules/step.h"
#include "rules/timings.h"

namespace {

// Walking for a while, then a sign, now and then a tower key: a player holding keys down as
// often as tapping them, so that specials (a sign held) and duels come too.
FrameInputs randomInputs(std::mt19937& random) {
    FrameInputs in;
    int roll1 = random() % 100;
    int roll2 = random() % 100;
    in.right1 = roll1 < 30;
    in.left1 = roll1 >= 30 && roll1 < 38;
    in.sign1 = roll1 >= 60 && roll1 < 75 ? 1 + (int)(random() % 3) : NO_SIGN;
    in.left2 = roll2 < 30;
    in.right2 = roll2 >= 30 && roll2 < 38;
    in.sign2 = roll2 >= 60 && roll2 < 75 ? 1 + (int)(random() % 3) : NO_SIGN;
    in.towerKeys = random() % 200 == 0 ? 1 << (random() % 3) : 0;
    return in;
}

void check(std::set<std::string>& seen, RandomFightReport& report, int frame, bool fine,
           const std::string& fault) {
    if (!fine && seen.insert(fault).second) {
        report.faults.push_back("frame " + std::to_string(frame) + ": " + fault);
    }
}

}  // namespace

RandomFightReport playRandomFight(int frames, unsigned seed) {
    RandomFightReport report;
    std::set<std::string> seen;
    std::mt19937 random(seed);
    Fight f = startingFight();
    for (int frame = 0; frame < frames; frame++) {
        int life1 = f.life1;
        int life2 = f.life2;
        FightEvents e = stepFight(f, randomInputs(random));
        report.strikes += e.strikeCount;
        report.hits += e.hitCount;
        check(seen, report, frame, f.life1 <= life1 && f.life2 <= life2, "a life rose");
        check(seen, report, frame, f.pos1 >= -14.0f && f.pos1 <= 14.0f && f.pos2 <= 15.0f,
              "a robot left the line");
        // The contact test looks a tick ahead, so robots may stand closer than its limit.
        check(seen, report, frame, f.pos2 - f.pos1 >= limiteContactRobots / 2,
              "the robots went through each other");
        const Tower* towers[5] = {&f.towers.tower1, &f.towers.tower2, &f.towers.tower3,
                                  &f.towers.tower4, &f.towers.tower5};
        for (const Tower* tower : towers) {
            check(seen, report, frame, tower->count >= 0 && tower->count <= TOWER_CAPACITY,
                  "a tower's stages out of its room");
        }
        for (int player = 1; player <= 2; player++) {
            check(seen, report, frame,
                  f.game.getPstate(player) >= IDLE && f.game.getPstate(player) <= WINDING_DOWN,
                  "a player's state unknown");
            check(seen, report, frame,
                  f.game.getPmove(player) >= REST && f.game.getPmove(player) <= WIND_DOWN,
                  "a player's move unknown");
        }
        check(seen, report, frame, e.strikeCount <= MAX_FRAME_EVENTS && e.hitCount <= MAX_FRAME_EVENTS,
              "a frame's events over their room");
    }
    report.fingerprint = fightFingerprint(f);
    report.life1 = f.life1;
    report.life2 = f.life2;
    return report;
}
