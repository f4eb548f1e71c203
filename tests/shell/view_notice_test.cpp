// The view window's notice names the keys and pads in use, the computer's side and online play.
#include <SDL/SDL.h>
#include <gtest/gtest.h>

#include "game/controls.h"
#include "shell/view_notice.h"
#include "tests/support/gl_context.h"

TEST(ViewNotice, NamesTheKeysInUseThePadsAndWhoElsePlays) {
    // SDL names keys once its video is up, as it is in the game.
    openTestGlWindow();
    NoticeFacts facts;
    facts.situation = "No camera picture: the keyboard plays.";
    std::vector<std::string> lines = keyboardNoticeLines(facts);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1], "Player 1:  A and D walk,  Z rock,  X paper,  C scissors");
    EXPECT_EQ(lines[2], "Player 2:  arrow keys walk,  B rock,  N paper,  M scissors");
    EXPECT_EQ(lines[3], "F11 fullscreen.  Escape, or closing a window, quits.");

    Settings remapped;
    remapped.keys[0][ACTION_LEFT] = SDLK_j;
    remapped.keys[0][ACTION_RIGHT] = SDLK_l;
    remapped.padButtons[0][0] = 3;
    useControls(remapped);
    facts.pads = 1;
    facts.computerPlayer = 2;
    facts.computerLevel = "hard";
    facts.escapePauses = true;
    lines = keyboardNoticeLines(facts);
    EXPECT_EQ(lines[1], "Player 1:  J and L walk,  Z rock,  X paper,  C scissors,  or pad 1 (Y A B)");
    EXPECT_EQ(lines[2], "Player 2:  the computer (hard)");
    EXPECT_EQ(lines[3], "F11 fullscreen.  Escape pauses;  closing a window quits.");

    facts = NoticeFacts();
    facts.onlinePlayer = 2;
    lines = keyboardNoticeLines(facts);
    EXPECT_EQ(lines[1], "Player 1:  the other machine");
    EXPECT_EQ(lines[2], "Player 2:  arrow keys walk,  B rock,  N paper,  M scissors");
    useControls(Settings());
}
