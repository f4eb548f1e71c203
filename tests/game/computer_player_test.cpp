// The computer opponent inside the real rules: it never reads a secret duel sign, presses one key
// a frame at most, and reacts to the screen no sooner than its level's reaction time.
#include <gtest/gtest.h>

#include <vector>

#include "computer/computer.h"
#include "shell/computer_seat.h"
#include "computer/visible_fight_of.h"
#include "tests/game/scenario.h"

static const Level LEVELS[] = {EASY, NORMAL, HARD};

static FrameInputs withComputerKeys(FrameInputs input, const ComputerAction& keys) {
    input.sign2 = keys.sign;
    input.left2 = keys.left;
    input.right2 = keys.right;
    return input;
}

// What the computer (player 2) was shown and pressed in each frame of a fight.
struct Watched {
    std::vector<VisibleFight> screens;
    std::vector<ComputerAction> keys;
    std::vector<int> secretSigns1;
    bool duel = false;
};

static bool sameKeys(const ComputerAction& a, const ComputerAction& b) {
    return a.left == b.left && a.right == b.right && a.sign == b.sign;
}

// Player 1 winds up with paper and releases as soon as the computer's wind-up can take a duel
// up; during the duel it gives `firstSecret` and, before the first exchange, paper: what the
// screen shows never depends on the first.
static Watched duelAgainst(Level level, int firstSecret) {
    Scenario s;
    Computer computer(2, level, 7);
    Watched record;
    int duelFrames = 0;
    for (int f = 0; f < 900; f++) {
        FrameInputs input;
        bool complete = s.state(1) == WINDING_UP && s.clock(1) >= 48;
        if (s.state(1) == IDLE && s.gameState() != DUEL_UNDER_WAY) {
            input.sign1 = PAPER;
        } else if (complete && s.state(2) == WINDING_UP && s.clock(2) > 20) {
            input.sign1 = ROCK;
        }
        if (s.gameState() == DUEL_UNDER_WAY) {
            duelFrames++;
            input.sign1 = duelFrames == 5 ? firstSecret : duelFrames == 30 ? PAPER : NO_SIGN;
            record.duel = true;
        }
        VisibleFight screen = visibleFightOf(s.world.fight);
        ComputerAction keys = computer.play(screen);
        record.screens.push_back(screen);
        record.keys.push_back(keys);
        record.secretSigns1.push_back(s.world.fight.lastSign1);
        s.play(withComputerKeys(input, keys));
    }
    return record;
}

TEST(ComputerPlayer, SecretDuelSignsChangeNothingItSeesOrDoes) {
    for (Level level : LEVELS) {
        Watched scissors = duelAgainst(level, SCISSORS);
        Watched rock = duelAgainst(level, ROCK);
        ASSERT_TRUE(scissors.duel) << traitsOf(level).name;
        ASSERT_NE(scissors.secretSigns1, rock.secretSigns1) << "the fights must differ in secret";
        for (size_t f = 0; f < scissors.keys.size(); f++) {
            ASSERT_TRUE(scissors.screens[f] == rock.screens[f]) << traitsOf(level).name << " " << f;
            ASSERT_TRUE(sameKeys(scissors.keys[f], rock.keys[f])) << traitsOf(level).name << " " << f;
        }
    }
}

// Against a player who presses a random key every third frame, for a minute of play.
TEST(ComputerPlayer, PressesOneKeyAFrameAtMostAndFights) {
    for (Level level : LEVELS) {
        Scenario s;
        Computer computer(2, level, 11);
        Dice dice(5);
        int presses = 0;
        for (int f = 0; f < 3600; f++) {
            FrameInputs input;
            if (f % 3 == 0) {
                int key = dice.roll(5);
                setStep(input, 1, key == 0 ? -1 : key == 1 ? 1 : 0);
                input.sign1 = key >= 2 ? key - 1 : NO_SIGN;
            }
            ComputerAction keys = computer.play(visibleFightOf(s.world.fight));
            int pressed = keys.left + keys.right + (keys.sign != NO_SIGN ? 1 : 0);
            ASSERT_LE(pressed, 1) << traitsOf(level).name << " frame " << f;
            ASSERT_TRUE(keys.sign >= NO_SIGN && keys.sign <= SCISSORS);
            presses += pressed;
            s.play(withComputerKeys(input, keys));
        }
        EXPECT_GT(presses, 60) << traitsOf(level).name;
        EXPECT_LT(s.life(1), 100) << traitsOf(level).name;
    }
}

// Two screens that part at frame 100: the opponent far away, or suddenly within striking range
// (where the computer walks in instead of winding up). The keys may differ only once the
// reaction time has passed.
TEST(ComputerPlayer, ReactsNoSoonerThanItsReactionTime) {
    const int parting = 100;
    for (Level level : LEVELS) {
        Computer far(2, level, 3);
        Computer near(2, level, 3);
        VisibleFight screen;
        screen.robots[0].pos = -5;
        screen.robots[1].pos = 5;
        int firstDifference = -1;
        for (int f = 0; f < 300 && firstDifference < 0; f++) {
            VisibleFight closer = screen;
            if (f >= parting) {
                closer.robots[0].pos = 2;
            }
            if (!sameKeys(far.play(screen), near.play(closer))) {
                firstDifference = f;
            }
        }
        int reaction = traitsOf(level).reactionFrames;
        EXPECT_GE(firstDifference, parting + reaction) << traitsOf(level).name;
        EXPECT_LE(firstDifference, parting + reaction + 40) << traitsOf(level).name;
    }
}
