// What one menu screen shows, as the drawing takes it: words and a highlight, nothing to decide.
#ifndef VANTORIX_MENU_PAGE_H
#define VANTORIX_MENU_PAGE_H

#include <string>
#include <vector>

enum MenuItemKind {
    ITEM_ACTION,   // Enter does it
    ITEM_CHOICE,   // left and right change its value
    ITEM_FIELD,    // its value is typed
    ITEM_HEADING,  // names the rows below it; never highlighted
    ITEM_LINE,     // plain information; never highlighted
};

struct MenuItem {
    std::string label;
    std::string value;  // shown after the label; empty for none
    MenuItemKind kind = ITEM_ACTION;
};

struct MenuPage {
    std::string title;
    // The start screen shows the game's name large over a few items in the middle.
    bool startScreen = false;
    std::vector<MenuItem> items;
    int highlighted = -1;
    // The rows shown: a screen longer than the window shows scrolls with its highlight.
    int firstShown = 0;
    int shownCount = 0;
    // A word on screen: a refused key, a port out of range, what the highlighted item does.
    std::string notice;
    bool noticeIsWarning = false;
    // The keys that work here.
    std::string hint;
    // The pause screen and the question over an online fight are drawn over the fight itself.
    bool overFight = false;
};

#endif
