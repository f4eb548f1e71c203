// SDL's keyboard, pad and mouse events as the menu reads them.
#include "menu/menu_input.h"

#include "game/gamepads.h"

void prepareMenuInput() { SDL_EnableUNICODE(1); }

static MenuEvent eventOf(MenuEventKind kind) {
    MenuEvent made;
    made.kind = kind;
    return made;
}

static MenuEvent keyEvent(const SDL_KeyboardEvent& key) {
    MenuEvent made;
    made.key = key.keysym.sym;
    switch (key.keysym.sym) {
    case SDLK_UP: made.kind = MENU_UP; break;
    case SDLK_DOWN: made.kind = MENU_DOWN; break;
    case SDLK_LEFT: made.kind = MENU_LEFT; break;
    case SDLK_RIGHT: made.kind = MENU_RIGHT; break;
    case SDLK_RETURN:
    case SDLK_KP_ENTER: made.kind = MENU_ACCEPT; break;
    case SDLK_ESCAPE: made.kind = MENU_BACK; break;
    case SDLK_BACKSPACE: made.kind = MENU_ERASE; break;
    default:
        if (key.keysym.unicode >= 0x21 && key.keysym.unicode < 0x7f) {
            made.kind = MENU_TEXT;
            made.text = (char)key.keysym.unicode;
        } else {
            made.kind = MENU_KEY;
        }
        break;
    }
    return made;
}

static MenuEvent buttonEvent(const SDL_JoyButtonEvent& press) {
    MenuEvent made;
    made.pad = press.which;
    made.button = press.button;
    switch (press.button) {
    case MENU_PAD_ACCEPT: made.kind = MENU_ACCEPT; break;
    case MENU_PAD_BACK: made.kind = MENU_BACK; break;
    case MENU_PAD_START: made.kind = MENU_PAUSE_BUTTON; break;
    default: made.kind = MENU_PAD_BUTTON; break;
    }
    return made;
}

static MenuEvent hatEvent(Uint8 value) {
    if (value & SDL_HAT_UP) {
        return eventOf(MENU_UP);
    }
    if (value & SDL_HAT_DOWN) {
        return eventOf(MENU_DOWN);
    }
    if (value & SDL_HAT_LEFT) {
        return eventOf(MENU_LEFT);
    }
    if (value & SDL_HAT_RIGHT) {
        return eventOf(MENU_RIGHT);
    }
    return MenuEvent();
}

// A lean past STICK_PUSH is one step; the stick must come back inside STICK_REST to step again.
static MenuEvent stickEvent(const SDL_JoyAxisEvent& motion, MenuSticks& sticks) {
    if (motion.which > 1 || motion.axis > 1) {
        return MenuEvent();
    }
    int& leaning = sticks.leaning[motion.which][motion.axis];
    int lean = motion.value > STICK_PUSH ? 1 : motion.value < -STICK_PUSH ? -1 : 0;
    if (motion.value > -STICK_REST && motion.value < STICK_REST) {
        leaning = 0;
    }
    if (lean == 0 || leaning != 0) {
        return MenuEvent();
    }
    leaning = lean;
    if (motion.axis == 0) {
        return eventOf(lean < 0 ? MENU_LEFT : MENU_RIGHT);
    }
    return eventOf(lean < 0 ? MENU_UP : MENU_DOWN);
}

static int itemAt(const std::vector<MenuRect>& items, int x, int y) {
    for (const MenuRect& r : items) {
        if (x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height) {
            return r.item;
        }
    }
    return -1;
}

static MenuEvent mouseEvent(MenuEventKind kind, int x, int y, const std::vector<MenuRect>& items) {
    MenuEvent made;
    made.item = itemAt(items, x, y);
    if (made.item >= 0) {
        made.kind = kind;
    }
    return made;
}

MenuEvent menuEventOf(const SDL_Event& event, MenuSticks& sticks, const std::vector<MenuRect>& items) {
    switch (event.type) {
    case SDL_KEYDOWN: return keyEvent(event.key);
    case SDL_JOYBUTTONDOWN: return buttonEvent(event.jbutton);
    case SDL_JOYHATMOTION: return hatEvent(event.jhat.value);
    case SDL_JOYAXISMOTION: return stickEvent(event.jaxis, sticks);
    case SDL_MOUSEMOTION: return mouseEvent(MENU_POINT, event.motion.x, event.motion.y, items);
    case SDL_MOUSEBUTTONDOWN:
        if (event.button.button == SDL_BUTTON_WHEELUP) {
            return eventOf(MENU_UP);
        }
        if (event.button.button == SDL_BUTTON_WHEELDOWN) {
            return eventOf(MENU_DOWN);
        }
        if (event.button.button == SDL_BUTTON_LEFT) {
            return mouseEvent(MENU_CLICK, event.button.x, event.button.y, items);
        }
        return MenuEvent();
    default: return MenuEvent();
    }
}
