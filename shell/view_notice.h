// What the view window says while no camera picture fills it: which keys and pads play, who the
// computer is, the start screen's question; painted in the window's own green on black.
#ifndef VANTORIX_VIEW_NOTICE_H
#define VANTORIX_VIEW_NOTICE_H

#include <string>
#include <vector>

// What the notice knows of the way this fight is played.
struct NoticeFacts {
    // The first line: why the keyboard plays ("No camera picture: the keyboard plays.").
    std::string situation;
    // Pads open (0 to 2): pad N plays player N.
    int pads = 0;
    // The computer's player (0: none) and its level's name.
    int computerPlayer = 0;
    std::string computerLevel;
    // Online: the player this machine plays (0: not online).
    int onlinePlayer = 0;
    // In a fight begun from the start screen Escape pauses (or asks, online) rather than quits.
    bool escapePauses = false;
};

// The notice's lines: the keys in use (as the players' settings have them), the pads, the
// computer's side, online play, F11 and the way out.
std::vector<std::string> keyboardNoticeLines(const NoticeFacts& facts);

// Without a camera the view window would stay blank: it says instead that the keyboard plays
// (or will, once a replayed fight is over), and with which keys. Does nothing while a camera is
// connected (the worker paints then).
void paintKeyboardNotice();

// Paints lines into the view window in its notice style; nothing without a view window.
void paintViewLines(const std::vector<std::string>& lines, int textHeight = 26);

#endif
