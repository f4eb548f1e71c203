// Reading settings.ini: every kind of bad line costs its own setting only, with one line saying
// where and what, and a key given twice stays with the earlier line.
#include <gtest/gtest.h>
#include <SDL/SDL_keysym.h>

#include <string>
#include <vector>

#include "settings/settings.h"

namespace {

std::vector<std::string> problemsOf(const std::string& text, Settings& settings) {
    SettingsProblems problems;
    settings = readSettingsText(text, "s.ini", problems);
    EXPECT_FALSE(problems.damaged);
    return problems.lines;
}

}  // namespace

TEST(SettingsReading, EachBadLineGetsItsDefaultAndTheRestIsKept) {
    // One section a line here, numbered as the file's lines.
    std::string text =
        "volume = 3\n"                                                             // 1
        "[window]\nfullscreen = maybe\nwidth = 100\n  height = 700\ndepth = 32\n"  // 2-6
        "[player1]\nleft = q\nrock = f\npaper = flipper\nleft = e\n"               // 7-11
        "[pad2]\nrock = 40\npaper = 7\n"                                           // 12-14
        "[webcam]\ncamera =\nhands = Room\n"                                       // 15-17
        "[sound]\nmusic = loud\neffects = 30 ; quieter\n"                          // 18-20
        "[colours]\nsky = black\n"                                                 // 21-22
        "[recording]\nautomatic = " + std::string(200, 'y') + "\n";              // 23-24
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
        "s.ini:24: recording.automatic: the line is longer than 198 characters; it is ignored",
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
    std::string text =
        "[player1]\nrock = b\n[player2]\nrock = z\nleft = z\n"
        "[player1]\nleft = c\nscissors = x\npaper = m\n";
    std::vector<std::string> expected = {
        "s.ini:5: player2.left: z is player2.rock's already; the default (left) is used",
        "s.ini:9: player1.paper: m is player2.scissors's already, and its default x is "
        "player1.scissors's; the first free one (a) is used",
    };
    EXPECT_EQ(problemsOf(text, settings), expected);
    Settings settled;
    settled.keys[0][ACTION_LEFT] = SDLK_c;
    settled.keys[0][ACTION_ROCK] = SDLK_b;
    settled.keys[0][ACTION_PAPER] = SDLK_a;
    settled.keys[0][ACTION_SCISSORS] = SDLK_x;
    settled.keys[1][ACTION_ROCK] = SDLK_z;
    EXPECT_EQ(settings, settled);
}
