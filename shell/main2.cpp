// main2: the main loop, which interleaves the view window's messages with game frames, and its end.
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/view_surface.h"
#include "platform/view_window.h"
#include "shell/Son.h"
#include "shell/computer_seat.h"
#include "shell/frame_pacer.h"
#include "shell/globals.h"
#include "shell/online_control.h"
#include "shell/replay_control.h"
#include "shell/shell.h"
#include "shell/webcam_worker_control.h"

void playFrame() {
    world.handleEvents();
    if (onlineFightUnderWay()) {
        playOnlineUpdate();
    } else {
        passWebcamMeasurements();
        playComputerTurn(world);
        recordOrReplayFrame();
        world.update();
        checkFrameAfterUpdate();
        playStrikeSounds(world.strikeSounds);
    }
    world.display();
    SDL_Delay(1);
    SDL_GL_SwapBuffers();
}

static void runFrame(FramePacer& pacer) {
    pacer.beginFrame();
    playFrame();
    SDL_Delay(2);
    pacer.endFrame();
}

void openWebcamView() {
    g_hWnd = CreationFenetre();
    if (g_hWnd == nullptr) {
        std::fprintf(stderr, "Vantorix: cannot open the webcam view window\n");
        std::exit(1);
    }
    WebCam.hWndFenetre = g_hWnd;
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hDCFenetre = g_hDC;
}

// The loop's end, when the view window asks to quit.
static void endLoop() {
    std::printf("Signaling thread to quit\n");
    std::fflush(stdout);
    stopWebcamWorker();
    destroyViewWindow(g_hWnd);
}

void handleViewMessagesWhileWaiting() {
    ViewMessage msg;
    while (peekViewMessage(&msg)) {
        if (msg.message == VIEW_MSG_QUIT) {
            endLoop();
            std::exit(0);
        }
        WndProc(msg.window, msg.message, msg.wParam, msg.lParam);
    }
}

int main2() {
    FramePacer pacer;
    bool finished = false;
    while (!finished) {
        ViewMessage msg;
        if (peekViewMessage(&msg)) {
            if (msg.message == VIEW_MSG_QUIT) {
                finished = true;
            } else {
                WndProc(msg.window, msg.message, msg.wParam, msg.lParam);
            }
        } else {
            runFrame(pacer);
        }
    }

    endLoop();
    return 0;
}
