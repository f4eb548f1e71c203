// The view window's notices: the keys in use and the way out, or the start screen's question.
#include "shell/view_notice.h"

#include <SDL/SDL.h>

#include <cctype>

#include "game/controls.h"
#include "game/gamepads.h"
#include "net/online_session.h"
#include "platform/view_surface.h"
#include "shell/computer_seat.h"
#include "shell/game_objects.h"
#include "shell/online_control.h"
#include "shell/replay_control.h"
#include "shell/start_screen.h"
#include "shell/webcam_worker_control.h"

static const int VIEW_WIDTH = 1200;
static const int VIEW_HEIGHT = 272;

// "a" as "A", "left shift" as "Left shift": the way the keys are printed on a keyboard.
static std::string keyLabel(int key) {
    std::string name = SDL_GetKeyName((SDLKey)key);
    if (!name.empty()) {
        name[0] = (char)std::toupper((unsigned char)name[0]);
    }
    return name;
}

// The common (Xbox-style) pad's button names, as its driver numbers them.
static std::string buttonLabel(int button) {
    const char* const NAMES[] = {"A", "B", "X", "Y", "LB", "RB", "Back", "Start"};
    return button >= 0 && button < 8 ? NAMES[button] : "button " + std::to_string(button);
}

static std::string walkingWords(int player) {
    int left = controlKey(player, ACTION_LEFT), right = controlKey(player, ACTION_RIGHT);
    if (left == SDLK_LEFT && right == SDLK_RIGHT) {
        return "arrow keys walk";
    }
    return keyLabel(left) + " and " + keyLabel(right) + " walk";
}

static std::string playerLine(const NoticeFacts& facts, int player) {
    std::string line = "Player " + std::to_string(player) + ":  ";
    if (facts.computerPlayer == player) {
        return line + "the computer (" + facts.computerLevel + ")";
    }
    if (facts.onlinePlayer != 0 && facts.onlinePlayer != player) {
        return line + "the other machine";
    }
    line += walkingWords(player) + ",  " + keyLabel(controlKey(player, ACTION_ROCK)) + " rock,  " +
            keyLabel(controlKey(player, ACTION_PAPER)) + " paper,  " +
            keyLabel(controlKey(player, ACTION_SCISSORS)) + " scissors";
    int pad = facts.onlinePlayer != 0 ? 1 : player;
    if (facts.pads >= pad) {
        line += ",  or pad " + std::to_string(pad) + " (" + buttonLabel(controlPadButton(player, 0)) + " " +
                buttonLabel(controlPadButton(player, 1)) + " " + buttonLabel(controlPadButton(player, 2)) + ")";
    }
    return line;
}

std::vector<std::string> keyboardNoticeLines(const NoticeFacts& facts) {
    return {facts.situation, playerLine(facts, 1), playerLine(facts, 2),
            facts.escapePauses ? "F11 fullscreen.  Escape pauses;  closing a window quits."
                               : "F11 fullscreen.  Escape, or closing a window, quits."};
}

static NoticeFacts currentFacts() {
    NoticeFacts facts;
    facts.situation = replayUnderWay() ? "A recorded fight plays; the keyboard takes over at its end."
                                       : "No camera picture: the keyboard plays.";
    facts.pads = openPadCount();
    facts.computerPlayer = seatedComputerPlayer();
    facts.computerLevel = seatedComputerLevelName();
    facts.onlinePlayer = onlineFightUnderWay() ? onlineSession()->localPlayer() : 0;
    facts.escapePauses = startScreenFight();
    return facts;
}

void paintKeyboardNotice() {
    if (!webcamConnected()) {
        paintViewLines(keyboardNoticeLines(currentFacts()));
    }
}

void paintViewLines(const std::vector<std::string>& lines, int textHeight) {
    if (g_hDC == nullptr) {
        return;
    }
    drawRectangle(g_hDC, 0, 0, VIEW_WIDTH, VIEW_HEIGHT);
    setTextFont(g_hDC, "Impact", textHeight);
    setTextColour(g_hDC, 22, 199, 35);
    // Four lines fill the window; more come closer together.
    int count = lines.empty() ? 1 : (int)lines.size();
    int step = count <= 4 ? 52 : (VIEW_HEIGHT - 16) / count;
    int top = count <= 4 ? 36 : 12;
    for (int i = 0; i < (int)lines.size(); i++) {
        drawText(g_hDC, 40, top + step * i, lines[i].c_str());
    }
    flushViewSurface(g_hDC);
}
