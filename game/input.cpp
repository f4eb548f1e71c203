// Player input: the keyboard table, the webcam measurements and the per-frame input pulses.
#include "game/World.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "game/codes.h"
#include "game/frame_inputs.h"
#include "game/gamepads.h"
#include "game/learn_again_key.h"
#include "game/quit.h"
#include "render/game_window.h"

// Half-width of the webcam dead zone around the centre column, in pixels.
static const int WEBCAM_DEAD_ZONE = 15;
static const int WEBCAM_CENTRE = 80;
// The webcam input waits for the start-up countdown to fall to this value.
static const int WEBCAM_TIMER_GATE = 899;

// Escape and closing the game window end the process here. What the starter registered runs
// first, so that exit() never tears the globals down under a running thread.
static void quitGame() {
    runQuitHooks();
    SDL_Quit();
    std::fflush(stdout);
    std::exit(0);
}

static void (*learnAgainHook)() = nullptr;

void onLearnAgainKey(void (*hook)()) { learnAgainHook = hook; }

static void learnAgain() {
    if (learnAgainHook != nullptr) {
        learnAgainHook();
    }
}

static void applyKey(World& world, SDLKey key) {
    // A replayed frame's inputs replace the walking and signs the keys set here, but a tower
    // key raises its stage at once: live, it would show what the recording never had.
    if (!world.liveInputs && (key == SDLK_f || key == SDLK_g || key == SDLK_h)) {
        return;
    }
    switch (key) {
    case SDLK_ESCAPE: quitGame(); break;
    case SDLK_a: world.left1 = 1; break;
    case SDLK_d: world.right1 = 1; break;
    case SDLK_w: world.up1 = 1; break;
    case SDLK_s: world.down1 = 1; break;
    case SDLK_z: world.sign1 = ROCK; break;
    case SDLK_x: world.sign1 = PAPER; break;
    case SDLK_c: world.sign1 = SCISSORS; break;
    case SDLK_LEFT: world.left2 = 1; break;
    case SDLK_RIGHT: world.right2 = 1; break;
    case SDLK_UP: world.up2 = 1; break;
    case SDLK_DOWN: world.down2 = 1; break;
    case SDLK_b: world.sign2 = ROCK; break;
    case SDLK_n: world.sign2 = PAPER; break;
    case SDLK_m: world.sign2 = SCISSORS; break;
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

void World::handleWebcamEvents(int baryX1, int baryY1, int baryX2, int baryY2, int rps1,
                               int rps2) {
    (void)baryY1;
    (void)baryY2;
    setInputs();
    if (fight.timer > WEBCAM_TIMER_GATE || !webcamOn) {
        return;
    }
    webcamDirection(baryX1, left1, right1);
    webcamDirection(baryX2, left2, right2);
    if (isSign(rps1)) {
        sign1 = rps1;
    }
    if (isSign(rps2)) {
        sign2 = rps2;
    }
}

void World::setInputs() {
    left1 = right1 = up1 = down1 = sign1 = 0;
    left2 = right2 = up2 = down2 = sign2 = 0;
}

// A key pressed twice in a frame counts once, as a recording of the frame holds it.
void World::pressTowerKeys(int keys) { towerKeys |= keys; }

int World::checkInput(int player) const {
    int sign = player == 1 ? sign1 : sign2;
    return sign != 0 ? 1 : 0;
}
