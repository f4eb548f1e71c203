// Two machines' sides of an online fight over a scripted link (delay, jitter, loss, reordering):
// each random fight must end as one fight, the same as the rules run on the final inputs alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <random>
#include <vector>

#include "game/codes.h"
#include "net/online_fight.h"
#include "rules/fingerprint.h"
#include "rules/step.h"

namespace {

const double FRAME_MS = 1000.0 / 60.0;

struct LinkScript {
    const char* name;
    double delayMs;
    double jitterMs;
    double loss;
    // Share of datagrams held back long enough to arrive after later ones.
    double reorder;
};

// One direction of the link: datagrams in flight with the time they arrive.
class ScriptedLink {
public:
    ScriptedLink(const LinkScript& script, unsigned seed) : s(script), random(seed) {}

    void send(double now, const std::vector<uint8_t>& datagram) {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        if (unit(random) < s.loss) {
            return;
        }
        double arrival = now + s.delayMs + s.jitterMs * unit(random);
        if (unit(random) < s.reorder) {
            arrival += 3 * FRAME_MS;
        }
        inFlight.push_back({arrival, datagram});
    }

    std::vector<std::vector<uint8_t>> arrived(double now) {
        std::stable_sort(inFlight.begin(), inFlight.end(),
                         [](const Flight& a, const Flight& b) { return a.arrival < b.arrival; });
        std::vector<std::vector<uint8_t>> due;
        while (!inFlight.empty() && inFlight.front().arrival <= now) {
            due.push_back(inFlight.front().datagram);
            inFlight.erase(inFlight.begin());
        }
        return due;
    }

private:
    struct Flight {
        double arrival;
        std::vector<uint8_t> datagram;
    };
    LinkScript s;
    std::mt19937 random;
    std::vector<Flight> inFlight;
};

// Once set, the joiner's countdown runs at another pace: the two machines' rules differ.
bool countdownOutOfStep = false;

FightEvents rulesThatMayGoOutOfStep(Fight& fight, const FrameInputs& inputs) {
    if (countdownOutOfStep) {
        fight.timer -= 1;
    }
    return stepFight(fight, inputs);
}

// A restless player: walks toward the other, throws signs, and now and then winds up a combo
// and releases it, which brings specials and duels.
class RandomPlayer {
public:
    RandomPlayer(int player, unsigned seed) : towardOther(player == 1 ? 2 : 1), random(seed) {}

    PlayerInput next() {
        int roll = random() % 100;
        int left = towardOther == 1 ? 1 : 0;
        int right = 1 - left;
        if (roll < 25) {
            return packPlayerInput(left, right, NO_SIGN, 0);
        }
        if (roll < 30) {
            return packPlayerInput(right, left, NO_SIGN, 0);
        }
        if (roll < 38) {
            return packPlayerInput(0, 0, 1 + random() % 3, random() % 50 == 0 ? TOWER_KEY_F : 0);
        }
        return 0;
    }

private:
    int towardOther;
    std::mt19937 random;
};

struct Machine {
    OnlineFight side;
    RandomPlayer player;
    Machine(int localPlayer, int delay, unsigned seed, FightRules rules)
        : side(startingFight(), rules, localPlayer, delay), player(localPlayer, seed) {}
};

// Both machines over one link, the joiner starting a few frames late; the players play for the
// given number of frames, then rest while the last inputs get through.
struct TwoMachines {
    Machine host;
    Machine joiner;
    ScriptedLink toJoiner;
    ScriptedLink toHost;
    int playing;
    int step = 0;
    int heard = 0;

    TwoMachines(const LinkScript& script, unsigned seed, int frames)
        : host(1, 2, seed, stepFight), joiner(2, 2, seed + 1, rulesThatMayGoOutOfStep), toJoiner(script, seed + 2),
          toHost(script, seed + 3), playing(frames) {}

    void play() {
        const int JOINER_LATE = 3;
        double now = step * FRAME_MS;
        for (const std::vector<uint8_t>& d : toHost.arrived(now)) {
            host.side.receive(d.data(), d.size());
        }
        heard += (int)host.side.playFrame(step < playing ? host.player.next() : 0).sounds.size();
        toJoiner.send(now, host.side.inputsPacket());
        if (step >= JOINER_LATE) {
            for (const std::vector<uint8_t>& d : toJoiner.arrived(now)) {
                joiner.side.receive(d.data(), d.size());
            }
            joiner.side.playFrame(step < playing ? joiner.player.next() : 0);
            toHost.send(now, joiner.side.inputsPacket());
        }
        step++;
    }
};

void playOver(const LinkScript& script, unsigned seed, int frames) {
    TwoMachines both(script, seed, frames);
    while (both.step < frames + 60) {
        both.play();
    }
    Machine& host = both.host;
    Machine& joiner = both.joiner;
    int sounds = both.heard;
    const RollbackFight& a = host.side.fight();
    const RollbackFight& b = joiner.side.fight();
    int last = std::min(a.lastFinalFrame(), b.lastFinalFrame());
    ASSERT_GT(last, frames * 3 / 4) << script.name;

    // The rules alone, fed the final inputs, frame after frame: the fight both must have had.
    Fight reference = startingFight();
    int strikes = 0;
    for (int f = 0; f <= last; f++) {
        ASSERT_EQ(a.finalInputs(f), b.finalInputs(f)) << script.name << " frame " << f;
        strikes += stepFight(reference, a.finalInputs(f)).strikeCount;
        uint32_t expected = fightFingerprint(reference);
        ASSERT_EQ(expected, a.fingerprintAfter(f)) << script.name << " host, frame " << f;
        ASSERT_EQ(expected, b.fingerprintAfter(f)) << script.name << " joiner, frame " << f;
    }
    EXPECT_EQ(-1, host.side.desyncFrame());
    EXPECT_EQ(-1, joiner.side.desyncFrame());
    EXPECT_GE(host.side.fingerprintsCompared(), last / CHECK_INTERVAL - 2);
    EXPECT_LT(reference.life1 + reference.life2, 200) << "the fight had no hit";
    // Every strike of the fight is heard; a frame run again is not heard again, so only the
    // strikes of wrong guesses come on top.
    EXPECT_GE(sounds, strikes) << script.name;
    EXPECT_LE(sounds, strikes + a.counts().rollbacks) << script.name;
    // Kept in step, the two machines share the corrections; one running ahead would leave them
    // all to itself, each deeper.
    long again = a.counts().framesRunAgain + b.counts().framesRunAgain;
    EXPECT_LE(std::labs(a.counts().framesRunAgain - b.counts().framesRunAgain), again / 8 + 10)
        << script.name;
    std::printf("%-28s rollbacks %5ld / %5ld (host / joiner), deepest %d / %d frames, "
                "frames run again %ld / %ld, frames waited %ld / %ld, strikes heard %d, "
                "lives %d %d\n",
                script.name, a.counts().rollbacks, b.counts().rollbacks, a.counts().deepest,
                b.counts().deepest, a.counts().framesRunAgain, b.counts().framesRunAgain,
                host.side.framesWaited(), joiner.side.framesWaited(), sounds,
                (int)reference.life1, (int)reference.life2);
}

}  // namespace

TEST(LinkFight, RandomFightsEndAsOneFightOverEveryLink) {
    const LinkScript scripts[] = {
        {"loopback", 0.5, 0.0, 0.0, 0.0},
        {"50 ms, jitter, 3 % loss", 50.0, 15.0, 0.03, 0.0},
        {"80 ms, reordering, 10 % loss", 80.0, 30.0, 0.10, 0.10},
    };
    unsigned seed = 1;
    for (const LinkScript& script : scripts) {
        playOver(script, seed, 3600);
        seed += 10;
    }
}

TEST(LinkFight, FightsThatGoOutOfStepAreStoppedOnBothMachinesAtTheSameFrame) {
    TwoMachines both(LinkScript{"50 ms", 50.0, 10.0, 0.03, 0.0}, 7, 600);
    while (both.step < 300) {
        both.play();
    }
    countdownOutOfStep = true;
    while (both.step < 900) {
        both.play();
    }
    countdownOutOfStep = false;
    int frame = both.host.side.desyncFrame();
    EXPECT_GE(frame, CHECK_INTERVAL * 5 - 1);
    EXPECT_EQ(0, (frame + 1) % CHECK_INTERVAL);
    EXPECT_EQ(frame, both.joiner.side.desyncFrame());
    int stoppedAt = both.host.side.fight().frame();
    both.play();
    EXPECT_EQ(stoppedAt, both.host.side.fight().frame()) << "the fight went on after the desync";
}
