// SDL's events as the menu reads them: keys, typing, pads' buttons, d-pad and stick, the mouse.
#include <gtest/gtest.h>

#include "game/gamepads.h"
#include "menu/menu_input.h"

static SDL_Event keyDown(SDLKey key, Uint16 unicode = 0) {
    SDL_Event event = {};
    event.type = SDL_KEYDOWN;
    event.key.keysym.sym = key;
    event.key.keysym.unicode = unicode;
    return event;
}

static SDL_Event padButton(int pad, int button) {
    SDL_Event event = {};
    event.type = SDL_JOYBUTTONDOWN;
    event.jbutton.which = (Uint8)pad;
    event.jbutton.button = (Uint8)button;
    return event;
}

static SDL_Event stick(int pad, int axis, int value) {
    SDL_Event event = {};
    event.type = SDL_JOYAXISMOTION;
    event.jaxis.which = (Uint8)pad;
    event.jaxis.axis = (Uint8)axis;
    event.jaxis.value = (Sint16)value;
    return event;
}

static SDL_Event mouse(Uint8 type, int x, int y) {
    SDL_Event event = {};
    event.type = type;
    if (type == SDL_MOUSEMOTION) {
        event.motion.x = (Uint16)x;
        event.motion.y = (Uint16)y;
    } else {
        event.button.button = SDL_BUTTON_LEFT;
        event.button.x = (Uint16)x;
        event.button.y = (Uint16)y;
    }
    return event;
}

TEST(MenuInput, KeysAndPadButtonsCarryWhatARemapNeeds) {
    MenuSticks sticks;
    std::vector<MenuRect> none;
    EXPECT_EQ(menuEventOf(keyDown(SDLK_KP_ENTER), sticks, none).kind, MENU_ACCEPT);
    MenuEvent escape = menuEventOf(keyDown(SDLK_ESCAPE), sticks, none);
    EXPECT_EQ(escape.kind, MENU_BACK);
    EXPECT_EQ(escape.key, SDLK_ESCAPE);
    MenuEvent typed = menuEventOf(keyDown(SDLK_PERIOD, '.'), sticks, none);
    EXPECT_EQ(typed.kind, MENU_TEXT);
    EXPECT_EQ(typed.text, '.');
    MenuEvent shift = menuEventOf(keyDown(SDLK_RSHIFT), sticks, none);
    EXPECT_EQ(shift.kind, MENU_KEY);
    EXPECT_EQ(shift.key, SDLK_RSHIFT);

    EXPECT_EQ(menuEventOf(padButton(1, MENU_PAD_ACCEPT), sticks, none).kind, MENU_ACCEPT);
    EXPECT_EQ(menuEventOf(padButton(0, MENU_PAD_START), sticks, none).kind, MENU_PAUSE_BUTTON);
    MenuEvent back = menuEventOf(padButton(1, MENU_PAD_BACK), sticks, none);
    EXPECT_EQ(back.kind, MENU_BACK);
    EXPECT_EQ(back.pad, 1);
    EXPECT_EQ(back.button, MENU_PAD_BACK);
    EXPECT_EQ(menuEventOf(padButton(0, 4), sticks, none).button, 4);
}

// A stick held over steps once; it steps again only after coming back to rest.
TEST(MenuInput, StickStepsOncePerPush) {
    MenuSticks sticks;
    std::vector<MenuRect> none;
    EXPECT_EQ(menuEventOf(stick(0, 1, 30000), sticks, none).kind, MENU_DOWN);
    EXPECT_EQ(menuEventOf(stick(0, 1, 32000), sticks, none).kind, MENU_NOTHING);
    EXPECT_EQ(menuEventOf(stick(0, 1, STICK_REST + 10), sticks, none).kind, MENU_NOTHING);
    EXPECT_EQ(menuEventOf(stick(0, 1, 30000), sticks, none).kind, MENU_NOTHING);
    EXPECT_EQ(menuEventOf(stick(1, 1, -30000), sticks, none).kind, MENU_UP);  // the other pad's own
    EXPECT_EQ(menuEventOf(stick(0, 1, 0), sticks, none).kind, MENU_NOTHING);
    EXPECT_EQ(menuEventOf(stick(0, 0, -30000), sticks, none).kind, MENU_LEFT);
    EXPECT_EQ(menuEventOf(stick(0, 1, 30000), sticks, none).kind, MENU_DOWN);

    SDL_Event hat = {};
    hat.type = SDL_JOYHATMOTION;
    hat.jhat.value = SDL_HAT_RIGHTUP;
    EXPECT_EQ(menuEventOf(hat, sticks, none).kind, MENU_UP);
}

TEST(MenuInput, MouseFindsTheItemUnderIt) {
    MenuSticks sticks;
    std::vector<MenuRect> items = {{100, 50, 200, 30, 0}, {100, 80, 200, 30, 2}};
    MenuEvent over = menuEventOf(mouse(SDL_MOUSEMOTION, 150, 85), sticks, items);
    EXPECT_EQ(over.kind, MENU_POINT);
    EXPECT_EQ(over.item, 2);
    MenuEvent click = menuEventOf(mouse(SDL_MOUSEBUTTONDOWN, 299, 79), sticks, items);
    EXPECT_EQ(click.kind, MENU_CLICK);
    EXPECT_EQ(click.item, 0);
    EXPECT_EQ(menuEventOf(mouse(SDL_MOUSEBUTTONDOWN, 300, 60), sticks, items).kind, MENU_NOTHING);
}
