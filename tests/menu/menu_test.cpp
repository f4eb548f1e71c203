// The menu's screens driven by events as a player gives them: each screen's choice, typing,
// new keys and buttons, the pause screen, and the pointer.
#include <SDL/SDL_keysym.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "menu/menu.h"

static MenuEvent press(MenuEventKind kind, int key = 0) {
    MenuEvent event;
    event.kind = kind;
    event.key = key;
    return event;
}

static MenuChoice typed(Menu& menu, const std::string& text) {
    for (char c : text) {
        MenuEvent event = press(MENU_TEXT);
        event.text = c;
        menu.handle(event);
    }
    return menu.handle(press(MENU_ACCEPT));
}

// Moves the highlight down to the row labelled label and returns its index.
static int highlight(Menu& menu, const std::string& label) {
    for (int k = 0; k < 60; k++) {
        MenuPage page = menu.page();
        if (page.items[page.highlighted].label == label) {
            return page.highlighted;
        }
        menu.handle(press(MENU_DOWN));
    }
    ADD_FAILURE() << "no row " << label;
    return -1;
}

static int indexOf(const Menu& menu, const std::string& label, int after = 0) {
    std::vector<MenuItem> items = menu.page().items;
    for (int k = after; k < (int)items.size(); k++) {
        if (items[k].label == label) {
            return k;
        }
    }
    ADD_FAILURE() << "no row " << label;
    return 0;
}

static MenuEvent click(int item) {
    MenuEvent event = press(MENU_CLICK);
    event.item = item;
    return event;
}

static MenuEvent point(Menu& menu, int item) {
    MenuEvent event = press(MENU_POINT);
    event.item = item;
    menu.handle(event);
    return event;
}

static std::string valueOf(const Menu& menu, const std::string& label) {
    for (const MenuItem& item : menu.page().items) {
        if (item.label == label) {
            return item.value;
        }
    }
    return "?";
}

TEST(Menu, StartScreenLeadsToEveryChoice) {
    Menu menu{Settings()};
    EXPECT_EQ(menu.page().items.size(), 7u);
    EXPECT_EQ(menu.handle(press(MENU_ACCEPT)).kind, CHOICE_TWO_PLAYERS);

    highlight(menu, "Against the computer");
    menu.handle(press(MENU_ACCEPT));
    ASSERT_EQ(menu.screen(), SCREEN_COMPUTER);
    menu.handle(press(MENU_RIGHT));  // normal -> hard
    highlight(menu, "You play");
    menu.handle(press(MENU_LEFT));   // player 2: the computer plays player 1
    highlight(menu, "Start");
    MenuChoice fight = menu.handle(press(MENU_ACCEPT));
    EXPECT_EQ(fight.kind, CHOICE_VS_COMPUTER);
    EXPECT_EQ(fight.level, HARD);
    EXPECT_EQ(fight.computerPlayer, 1);

    // Escape goes back with the highlight where the player left; on the start screen it goes
    // to Quit first and quits only when pressed there.
    menu.handle(press(MENU_BACK));
    EXPECT_EQ(menu.screen(), SCREEN_START);
    EXPECT_EQ(menu.page().highlighted, 1);
    EXPECT_EQ(menu.handle(press(MENU_BACK)).kind, CHOICE_NONE);
    EXPECT_EQ(menu.page().items[menu.page().highlighted].label, "Quit");
    EXPECT_EQ(menu.handle(press(MENU_BACK)).kind, CHOICE_QUIT);
    // Down from Quit comes round to the first item.
    menu.handle(press(MENU_DOWN));
    EXPECT_EQ(menu.page().highlighted, 0);
    EXPECT_NE(menu.waitingFor().find("Start screen"), std::string::npos);
}

TEST(Menu, OnlineScreensTakeWhatIsTyped) {
    Menu menu{Settings()};
    menu.setAddresses({"192.168.1.20", "2001:db8::7"});
    highlight(menu, "Host an online fight");
    menu.handle(press(MENU_ACCEPT));
    EXPECT_EQ(valueOf(menu, "192.168.1.20"), "");  // the addresses are shown as lines
    highlight(menu, "Back");
    menu.setAddresses({});  // fewer rows under the highlight: it stays on Back
    EXPECT_EQ(menu.page().items[menu.page().highlighted].label, "Back");
    menu.handle(press(MENU_DOWN));
    MenuChoice host = menu.handle(press(MENU_ACCEPT));
    EXPECT_EQ(host.kind, CHOICE_HOST);
    EXPECT_EQ(host.port, 7460);
    for (int k = 0; k < 4; k++) {
        menu.handle(press(MENU_ERASE));
    }
    EXPECT_EQ(typed(menu, "x799990").kind, CHOICE_NONE);  // 79999: no letters, five digits at most
    EXPECT_FALSE(menu.page().notice.empty());
    menu.handle(press(MENU_ERASE));
    EXPECT_EQ(typed(menu, "").port, 7999);

    menu.handle(press(MENU_BACK));
    highlight(menu, "Join an online fight");
    menu.handle(press(MENU_ACCEPT));
    EXPECT_EQ(typed(menu, "").kind, CHOICE_NONE);
    MenuChoice join = typed(menu, "my-box.lan !/");
    EXPECT_EQ(join.kind, CHOICE_JOIN);
    EXPECT_EQ(join.address, "my-box.lan");
    EXPECT_EQ(join.port, 7460);
    EXPECT_EQ(typed(menu, ":70000").kind, CHOICE_NONE);
    for (int k = 0; k < 4; k++) {
        menu.handle(press(MENU_ERASE));
    }
    join = typed(menu, "1");
    EXPECT_EQ(join.address, "my-box.lan");
    EXPECT_EQ(join.port, 71);
}

TEST(Menu, SettingsTakeFreeKeysOnlyAndSaveOrDiscard) {
    Settings start;
    Menu menu{start};
    highlight(menu, "Settings");
    menu.handle(press(MENU_ACCEPT));
    // Player 1's rock: taken keys and the game's own keys are refused with a word, Escape keeps.
    point(menu, indexOf(menu, "Rock", indexOf(menu, "Player 1's keys")));
    menu.handle(press(MENU_ACCEPT));
    EXPECT_TRUE(menu.waitingForPress());
    menu.handle(press(MENU_TEXT, start.keys[1][ACTION_PAPER]));
    EXPECT_TRUE(menu.waitingForPress());
    EXPECT_NE(menu.page().notice.find("player 2's paper"), std::string::npos);
    menu.handle(press(MENU_KEY, SDLK_F11));
    EXPECT_NE(menu.page().notice.find("fullscreen"), std::string::npos);
    menu.handle(press(MENU_BACK, SDLK_ESCAPE));
    EXPECT_FALSE(menu.waitingForPress());
    menu.handle(press(MENU_ACCEPT));
    menu.handle(press(MENU_TEXT, SDLK_q));
    EXPECT_FALSE(menu.waitingForPress());

    // A button the same pad already uses is refused; B is a button like any other here.
    point(menu, indexOf(menu, "Rock", indexOf(menu, "Player 1's pad")));
    menu.handle(press(MENU_ACCEPT));
    MenuEvent button = press(MENU_BACK);
    button.pad = 0;
    button.button = start.padButtons[0][1];
    menu.handle(button);
    EXPECT_TRUE(menu.waitingForPress());
    button.kind = MENU_PAD_BUTTON;
    button.button = 5;
    menu.handle(button);
    EXPECT_FALSE(menu.waitingForPress());

    MenuChoice saved = menu.handle(click(indexOf(menu, "Save")));
    ASSERT_EQ(saved.kind, CHOICE_SAVE_SETTINGS);
    EXPECT_EQ(saved.settings.keys[0][ACTION_ROCK], SDLK_q);
    EXPECT_EQ(saved.settings.padButtons[0][0], 5);
    EXPECT_EQ(menu.screen(), SCREEN_START);

    // Quieter music kept by Save; the defaults restored come back; Back drops what it had.
    menu.handle(press(MENU_ACCEPT));
    point(menu, indexOf(menu, "Music volume"));
    menu.handle(press(MENU_RIGHT));  // already at most
    menu.handle(press(MENU_LEFT));
    menu.handle(press(MENU_LEFT));
    menu.handle(click(indexOf(menu, "Restore default keys and buttons")));
    saved = menu.handle(click(indexOf(menu, "Save")));
    EXPECT_EQ(saved.settings.musicVolume, VOLUME_MAX - 20);
    EXPECT_EQ(saved.settings.keys[0][ACTION_ROCK], start.keys[0][ACTION_ROCK]);
    EXPECT_EQ(saved.settings.padButtons[0][0], start.padButtons[0][0]);
    menu.handle(press(MENU_ACCEPT));
    menu.handle(click(indexOf(menu, "Fullscreen")));
    menu.handle(press(MENU_BACK));
    menu.handle(press(MENU_ACCEPT));
    EXPECT_EQ(valueOf(menu, "Fullscreen"), "off");
}

TEST(Menu, PauseAndLeavingOnline) {
    Menu menu{Settings()};
    menu.showPause();
    EXPECT_TRUE(menu.page().overFight);
    EXPECT_EQ(menu.handle(press(MENU_PAUSE_BUTTON)).kind, CHOICE_RESUME);
    EXPECT_EQ(menu.handle(press(MENU_BACK)).kind, CHOICE_RESUME);
    EXPECT_EQ(menu.handle(click(2)).kind, CHOICE_QUIT);
    EXPECT_EQ(menu.handle(click(1)).kind, CHOICE_BACK_TO_START);
    EXPECT_EQ(menu.screen(), SCREEN_START);

    menu.showLeaveOnline();
    EXPECT_EQ(menu.handle(press(MENU_ACCEPT)).kind, CHOICE_RESUME);  // "No" comes highlighted
    EXPECT_EQ(menu.handle(press(MENU_BACK)).kind, CHOICE_RESUME);
    menu.handle(press(MENU_UP));
    EXPECT_EQ(menu.handle(press(MENU_ACCEPT)).kind, CHOICE_LEAVE_ONLINE);
}

TEST(Menu, LongScreensScrollAndHeadingsAreSkipped) {
    Menu menu{Settings()};
    highlight(menu, "Settings");
    menu.handle(press(MENU_ACCEPT));
    int rows = (int)menu.page().items.size();
    ASSERT_GT(rows, MENU_ROWS_SHOWN);
    for (int k = 0; k < rows + 3; k++) {
        MenuPage page = menu.page();
        EXPECT_NE(page.items[page.highlighted].kind, ITEM_HEADING);
        EXPECT_GE(page.highlighted, page.firstShown);
        EXPECT_LT(page.highlighted, page.firstShown + page.shownCount);
        EXPECT_EQ(page.shownCount, MENU_ROWS_SHOWN);
        menu.handle(press(k % 4 == 3 ? MENU_UP : MENU_DOWN));
    }
    int before = menu.page().highlighted;
    point(menu, 0);  // a heading: the highlight stays
    EXPECT_EQ(menu.page().highlighted, before);
}
