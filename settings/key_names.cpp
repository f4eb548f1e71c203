// The keys' names in the settings file and on the settings screen. SDL 1.2 fills its own name
// table only when its video starts, and the file is read before that (and by tools without a
// display), so the names are kept here, spelt as SDL spells them.
#include <SDL/SDL_keysym.h>
#include <strings.h>

#include <cctype>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "settings/settings_format.h"

namespace {

struct KeyName {
    int key;
    const char* name;
};

// Letters and digits are their own names and codes; the rest are listed. Only the semicolon
// differs from SDL's name: a lone ";" after "=" would read as a comment in the file.
const KeyName NAMED_KEYS[] = {
    {SDLK_SPACE, "space"}, {SDLK_RETURN, "return"}, {SDLK_TAB, "tab"},
    {SDLK_BACKSPACE, "backspace"}, {SDLK_INSERT, "insert"}, {SDLK_DELETE, "delete"},
    {SDLK_HOME, "home"}, {SDLK_END, "end"}, {SDLK_PAGEUP, "page up"},
    {SDLK_PAGEDOWN, "page down"}, {SDLK_UP, "up"}, {SDLK_DOWN, "down"}, {SDLK_LEFT, "left"},
    {SDLK_RIGHT, "right"}, {SDLK_LSHIFT, "left shift"}, {SDLK_RSHIFT, "right shift"},
    {SDLK_LCTRL, "left ctrl"}, {SDLK_RCTRL, "right ctrl"}, {SDLK_LALT, "left alt"},
    {SDLK_RALT, "right alt"}, {SDLK_MODE, "alt gr"},
    {SDLK_QUOTE, "'"}, {SDLK_COMMA, ","}, {SDLK_MINUS, "-"}, {SDLK_PERIOD, "."},
    {SDLK_SLASH, "/"}, {SDLK_SEMICOLON, "semicolon"}, {SDLK_EQUALS, "="},
    {SDLK_LEFTBRACKET, "["}, {SDLK_BACKSLASH, "\\"}, {SDLK_RIGHTBRACKET, "]"},
    {SDLK_BACKQUOTE, "`"},
    {SDLK_KP0, "[0]"}, {SDLK_KP1, "[1]"}, {SDLK_KP2, "[2]"}, {SDLK_KP3, "[3]"},
    {SDLK_KP4, "[4]"}, {SDLK_KP5, "[5]"}, {SDLK_KP6, "[6]"}, {SDLK_KP7, "[7]"},
    {SDLK_KP8, "[8]"}, {SDLK_KP9, "[9]"}, {SDLK_KP_PERIOD, "[.]"}, {SDLK_KP_DIVIDE, "[/]"},
    {SDLK_KP_MULTIPLY, "[*]"}, {SDLK_KP_MINUS, "[-]"}, {SDLK_KP_PLUS, "[+]"},
    {SDLK_KP_ENTER, "enter"}, {SDLK_KP_EQUALS, "equals"},
    {SDLK_F1, "f1"}, {SDLK_F2, "f2"}, {SDLK_F3, "f3"}, {SDLK_F4, "f4"}, {SDLK_F5, "f5"},
    {SDLK_F6, "f6"}, {SDLK_F7, "f7"}, {SDLK_F8, "f8"}, {SDLK_F9, "f9"}, {SDLK_F10, "f10"},
    {SDLK_F11, "f11"}, {SDLK_F12, "f12"}, {SDLK_F13, "f13"}, {SDLK_F14, "f14"},
    {SDLK_F15, "f15"}, {SDLK_ESCAPE, "escape"},
};

// The game's own keys: Escape ends it, f g h raise the towers, F1 and F2 turn the webcam off
// and on, F3 learns the room again, F11 switches fullscreen.
const int GAME_KEYS[] = {SDLK_ESCAPE, SDLK_f, SDLK_g, SDLK_h, SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F11};

bool letterOrDigit(int key) {
    return (key >= SDLK_a && key <= SDLK_z) || (key >= SDLK_0 && key <= SDLK_9);
}

}  // namespace

std::string keyName(int key) {
    if (letterOrDigit(key)) {
        return std::string(1, (char)key);
    }
    for (const KeyName& named : NAMED_KEYS) {
        if (named.key == key) {
            return named.name;
        }
    }
    return "";
}

int keyFromName(const std::string& name) {
    if (name.size() == 1 && letterOrDigit(std::tolower((unsigned char)name[0]))) {
        return std::tolower((unsigned char)name[0]);
    }
    for (const KeyName& named : NAMED_KEYS) {
        if (strcasecmp(named.name, name.c_str()) == 0) {
            return named.key;
        }
    }
    return -1;
}

bool keyBindable(int key) {
    for (int own : GAME_KEYS) {
        if (key == own) {
            return false;
        }
    }
    return !keyName(key).empty();
}

std::vector<int> bindableKeys() {
    std::vector<int> keys;
    for (int key = SDLK_a; key <= SDLK_z; key++) {
        if (keyBindable(key)) {
            keys.push_back(key);
        }
    }
    for (int key = SDLK_0; key <= SDLK_9; key++) {
        keys.push_back(key);
    }
    for (const KeyName& named : NAMED_KEYS) {
        if (keyBindable(named.key)) {
            keys.push_back(named.key);
        }
    }
    return keys;
}
