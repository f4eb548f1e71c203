// Gamepads: the first two pads found at start play players 1 and 2 beside the keyboard.
#include "game/gamepads.h"

#include <cstdio>

#include "game/World.h"
#include "game/codes.h"
#include "game/controls.h"

static const int PAD_COUNT = 2;
static const int STICK_X_AXIS = 0;

// What a pad's direction controls held at their last event: the side the stick last counted for
// (0 once it came back to rest) and the d-pad's bits.
struct PadPosition {
    int stickSide = 0;
    Uint8 hat = SDL_HAT_CENTERED;
};

static PadPosition positions[PAD_COUNT];
static int opened = 0;

int openPadCount() { return opened; }

void forgetPadPositions() {
    for (PadPosition& position : positions) {
        position = PadPosition();
    }
}

int openGamepads() {
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) {
        return 0;
    }
    int count = SDL_NumJoysticks() < PAD_COUNT ? SDL_NumJoysticks() : PAD_COUNT;
    for (int pad = 0; pad < count; pad++) {
        if (SDL_JoystickOpen(pad) != NULL) {
            std::printf("Vantorix: gamepad \"%s\" plays player %d\n", SDL_JoystickName(pad), pad + 1);
        }
    }
    if (count == 0) {
        SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
        return 0;
    }
    opened = count;
    SDL_JoystickEventState(SDL_ENABLE);
    std::fflush(stdout);
    return count;
}

static void step(World& world, int player, int side) {
    int& left = player == 1 ? world.left1 : world.left2;
    int& right = player == 1 ? world.right1 : world.right2;
    (side < 0 ? left : right) = 1;
}

// One push is one step: a lean past STICK_PUSH counts once, and again only after the stick came
// back within STICK_REST of the centre or leant over to the other side.
static void stickMoved(World& world, int player, PadPosition& position, int value) {
    int side = value > STICK_PUSH ? 1 : value < -STICK_PUSH ? -1 : 0;
    if (side != 0 && side != position.stickSide) {
        step(world, player, side);
        position.stickSide = side;
    } else if (value > -STICK_REST && value < STICK_REST) {
        position.stickSide = 0;
    }
}

// The d-pad steps when left or right goes down, diagonals included, and not while it stays down.
static void hatMoved(World& world, int player, PadPosition& position, Uint8 hat) {
    Uint8 pressed = hat & ~position.hat;
    if (pressed & SDL_HAT_LEFT) {
        step(world, player, -1);
    }
    if (pressed & SDL_HAT_RIGHT) {
        step(world, player, 1);
    }
    position.hat = hat;
}

static void buttonPressed(World& world, int player, int button) {
    const int signs[PAD_ACTION_COUNT] = {ROCK, PAPER, SCISSORS};
    for (int i = 0; i < PAD_ACTION_COUNT; i++) {
        if (button == controlPadButton(player, i)) {
            (player == 1 ? world.sign1 : world.sign2) = signs[i];
            return;
        }
    }
    if (button == START_BUTTON) {
        startPressed();
    }
}

void applyPadEvent(World& world, const SDL_Event& event) {
    // The pad's number sits at the same place in every joystick event.
    int pad = event.jaxis.which;
    if (pad >= PAD_COUNT) {
        return;
    }
    int player = pad + 1;
    if (event.type == SDL_JOYAXISMOTION && event.jaxis.axis == STICK_X_AXIS) {
        stickMoved(world, player, positions[pad], event.jaxis.value);
    } else if (event.type == SDL_JOYHATMOTION && event.jhat.hat == 0) {
        hatMoved(world, player, positions[pad], event.jhat.value);
    } else if (event.type == SDL_JOYBUTTONDOWN) {
        buttonPressed(world, player, event.jbutton.button);
    }
}
