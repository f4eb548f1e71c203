// Reading settings.ini: every kind of bad line costs its own setting only, with one line saying
// where and what; a file that is no settings file costs everything and is reported as damaged.
#include <gtest/gtest.h>
#include <SDL/SDL_keysym.h>

#include <string>
#include <vector>

#include "settings/settings.h"
#include "tests/support/files.h"

namespace {

std::vector<std::string> problemsOf(const std::string& text, Settings& settings) {
    SettingsProblems problems;
    settings = readSettingsText(text, "s.ini", problems);
    EXPECT_FALSE(problems.damaged);
    return problems.lines;
}

}  // namespace

TEST(SettingsReading, EachBadLineGetsItsDefaultAndTheRestIsKept) {
    std::string text =
        "volume = 3\n"
        "[window]\n"
        "fullscreen = maybe\n"
        "width = 100\n"
        "  height = 700\n"
        "depth = 32\n"
        "[player1]\n"
        "left = q\n"
        "rock = f\n"
        "paper = flipper\n"
        "left = e\n"
        "[pad2]\n"
        "rock = 40\n"
        "paper = 7\n"
        "[webcam]\n"
        "camera =\n"
        "hands = Room\n"
        "[sound]\n"
        "music = loud\n"
        "effects = 30 ; quieter\n"
        "[colours]\n"
        "sky = black\n"
        "[recording]\n"
        "automatic = " + std::string(200, 'y') + "\n";
    Settings settings;
    std::vector<std::string> expected = {
        "s.ini:1: volume: not a setting (it comes before any [section]); it is ignored",
        "s.ini:3: window.fullscreen: \"maybe\" is neither yes nor no; the default (no) is used",
        "s.ini:4: window.width: 100 is out of range (320 to 7680); the default (800) is used",
        "s.ini:6: window.depth: not a setting; it is ignored",
        "s.ini:9: player1.rock: f is one of the game's own keys; the default (z) is used",
        "s.ini:10: player1.paper: \"flipper\" is not the name of a key; the default (x) is used",
        "s.ini:11: player1.left: set again (first on line 8); this line is ignored",
        "s.ini:13: pad2.rock: 40 is out of range (0 to 31); the default (2) is used",
        "s.ini:16: webcam.camera: no camera named; the default (/dev/video0) is used",
        "s.ini:19: sound.music: \"loud\" is not a whole number; the default (100) is used",
        "s.ini:22: colours.sky: not a setting; it is ignored",
        "s.ini:24: the line is longer than 198 characters; it is ignored and its setting keeps its default",
    };
    EXPECT_EQ(problemsOf(text, settings), expected);
    Settings kept;
    kept.windowHeight = 700;
    kept.keys[0][ACTION_LEFT] = SDLK_q;
    kept.padButtons[1][1] = 7;
    kept.hands = 1;
    kept.effectsVolume = 30;
    EXPECT_EQ(settings, kept);
}

TEST(SettingsReading, AKeyGivenTwiceGoesToTheEarlierLine) {
    Settings settings;
    // b is player 2's rock, which the file leaves alone: player 1's rock gives way.
    EXPECT_EQ(problemsOf("[player1]\nrock = b\n", settings),
              std::vector<std::string>{
                  "s.ini:2: player1.rock: b is player2.rock's already; the default (z) is used"});
    EXPECT_EQ(settings, Settings());

    // Swapped keys are no clash. A later line on a key already given takes its default, or,
    // when that is held too, the first key nobody has.
    std::string text = "[player1]\nrock = b\n[player2]\nrock = z\nleft = z\n"
                       "[player1]\nleft = c\nscissors = x\npaper = m\n";
    std::vector<std::string> expected = {
        "s.ini:5: player2.left: z is player2.rock's already; the default (left) is used",
        "s.ini:9: player1.paper: m is player2.scissors's already, and its default x is "
        "player1.scissors's; the first free one (a) is used",
    };
    EXPECT_EQ(problemsOf(text, settings), expected);
    int keys[2][ACTION_COUNT] = {{SDLK_c, SDLK_d, SDLK_w, SDLK_s, SDLK_b, SDLK_a, SDLK_x},
                                 {SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_z, SDLK_n, SDLK_m}};
    for (int player = 0; player < 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            EXPECT_EQ(settings.keys[player][action], keys[player][action]) << player << " " << action;
        }
    }
}
