// Player input: the keyboard table, the webcam measurements and the per-frame input pulses.
#include "game/World.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "game/codes.h"
#include "game/controls.h"
#include "game/frame_inputs.h"
#include "game/gamepads.h"
#include "game/learn_again_key.h"
#include "platform/game_end.h"
#include "render/game_window.h"

// Half-width of the webcam dead zone around the centre column, in pixels.
static const int WEBCAM_DEAD_ZONE = 15;
static const int WEBCAM_CENTRE = 80;

// Closing the game window ends the game; main winds it down.
static void quitGame() { endGame(0); }

static void (*learnAgainHook)() = nullptr;

void onLearnAgainKey(void (*hook)()) { learnAgainHook = hook; }

static void learnAgain() {
    if (learnAgainHook != nullptr) {
        learnAgainHook();
    }
}

static void applyAction(World& world, int player, int action) {
    int* const walking[2][4] = {{&world.left1, &world.right1, &world.up1, &world.down1},
                                {&world.left2, &world.right2, &world.up2, &world.down2}};
    const int signs[3] = {ROCK, PAPER, SCISSORS};
    if (action < ACTION_ROCK) {
        *walking[player - 1][action] = 1;
    } else {
        (player == 1 ? world.sign1 : world.sign2) = signs[action - ACTION_ROCK];
    }
}

static void applyKey(World& world, SDLKey key) {
    // A replayed frame's inputs replace the walking and signs the keys set here, but a tower
    // key raises its stage at once: live, it would show what the recording never had.
    if (!world.liveInputs && (key == SDLK_f || key == SDLK_g || key == SDLK_h)) {
        return;
    }
    for (int player = 1; player <= 2; player++) {
        for (int action = 0; action < ACTION_COUNT; action++) {
            if ((int)key == controlKey(player, action)) {
                applyAction(world, player, action);
                return;
            }
        }
    }
    switch (key) {
    case SDLK_ESCAPE: escapePressed(); break;
    case SDLK_f: world.pressTowerKeys(TOWER_KEY_F); break;
    case SDLK_g: world.pressTowerKeys(TOWER_KEY_G); break;
    case SDLK_h: world.pressTowerKeys(TOWER_KEY_H); break;
    case SDLK_F1: world.webcamOn = false; break;
    case SDLK_F2: world.webcamOn = true; break;
    case SDLK_F3: learnAgain(); break;
    case SDLK_F11: toggleFullscreen(); break;
    default: break;
    }
}

void World::handleEvents() {
    setInputs();
    towerKeys = 0;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (event.type == SDL_QUIT) {
            quitGame();
        } else if (event.type == SDL_KEYDOWN) {
            applyKey(*this, event.key.keysym.sym);
        } else if (event.type == SDL_JOYAXISMOTION || event.type == SDL_JOYHATMOTION ||
                   event.type == SDL_JOYBUTTONDOWN) {
            applyPadEvent(*this, event);
        } else if (event.type == SDL_VIDEORESIZE) {
            resizeGameWindow(event.resize.w, event.resize.h);
        }
    }
}

// A hand outside the dead zone steps its player toward the side it is on in the mirrored picture:
// right of the centre walks left, left of it walks right.
static void webcamDirection(int baryX, int& left, int& right) {
    int offset = baryX - WEBCAM_CENTRE;
    if (std::sqrt((double)(offset * offset)) < WEBCAM_DEAD_ZONE) {
        return;
    }
    float q = (float)((double)offset / -80.0);
    if (q < 0) {
        left = 1;
    } else {
        right = 1;
    }
}

static bool isSign(int code) { return code >= ROCK && code <= SCISSORS; }

FrameInputs webcamInputs(const World& world, const FrameInputs& keys, int baryX1, int baryX2,
                         int rps1, int rps2) {
    // The webcam replaces the keys' walking and signs, but not the tower keys.
    FrameInputs inputs;
    inputs.towerKeys = keys.towerKeys;
    if (world.fight.timer > WEBCAM_TIMER_GATE || !world.webcamOn) {
        return inputs;
    }
    webcamDirection(baryX1, inputs.left1, inputs.right1);
    webcamDirection(baryX2, inputs.left2, inputs.right2);
    if (isSign(rps1)) {
        inputs.sign1 = rps1;
    }
    if (isSign(rps2)) {
        inputs.sign2 = rps2;
    }
    return inputs;
}

void World::handleWebcamEvents(int baryX1, int baryY1, int baryX2, int baryY2, int rps1,
                               int rps2) {
    (void)baryY1;
    (void)baryY2;
    FrameInputs inputs = webcamInputs(*this, takeInputs(*this), baryX1, baryX2, rps1, rps2);
    giveInputs(*this, inputs);
}

void World::setInputs() {
    left1 = right1 = up1 = down1 = sign1 = 0;
    left2 = right2 = up2 = down2 = sign2 = 0;
}

// A key pressed twice in a frame counts once, as a recording of the frame holds it.
void World::pressTowerKeys(int keys) { towerKeys |= keys; }
