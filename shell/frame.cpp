// One frame of the game, top to bottom.
#include "shell/frame.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <time.h>

#include "shell/Son.h"
#include "shell/computer_seat.h"
#include "shell/game_objects.h"
#include "shell/online_control.h"
#include "shell/replay_control.h"
#include "shell/webcam_worker_control.h"

double monotonicMicroseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1e6 + now.tv_nsec / 1e3;
}

FrameInputs gatherFrameInputs(FrameInputs& keys) {
    world.handleEvents();
    keys = takeInputs(world);
    FrameInputs inputs = passWebcamMeasurements(keys);
    return playComputerTurn(world, inputs);
}

static void stepFrame(const FrameInputs& keys, const FrameInputs& gathered) {
    if (onlineFightUnderWay()) {
        playOnlineUpdate(keys, gathered);
        return;
    }
    FrameInputs played = recordOrReplayFrame(gathered);
    world.update(played);
    checkFrameAfterUpdate();
    playStrikeSounds(world.strikeSounds);
}

void playFrame(FrameClock* clock) {
    if (clock != nullptr) {
        clock->start = monotonicMicroseconds();
    }
    FrameInputs keys;
    FrameInputs gathered = gatherFrameInputs(keys);
    if (clock != nullptr) {
        clock->inputsGathered = monotonicMicroseconds();
    }
    stepFrame(keys, gathered);
    if (clock != nullptr) {
        clock->stepped = monotonicMicroseconds();
    }
    world.display();
    if (clock != nullptr) {
        // Timed, the drawing is waited for, so that its cost is counted where it is spent.
        glFinish();
        clock->drawn = monotonicMicroseconds();
    }
    // A breath before and after the swap leaves the webcam worker and the sound room to run on
    // a machine with one core.
    SDL_Delay(1);
    SDL_GL_SwapBuffers();
    SDL_Delay(2);
}
