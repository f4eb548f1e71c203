// Starting, feeding from and stopping the webcam worker thread.
#include "shell/webcam_worker_control.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/camera.h"
#include "platform/view_surface.h"
#include "webcam/worker.h"
#include "shell/globals.h"
#include "shell/replay_control.h"

// Only the main thread starts, feeds and stops the worker.
static std::thread worker;
static bool cameraConnected = false;
static HandsWay handsWay = HANDS_DESIGN;
// Written by the worker, taken whole by the main thread.
static ReadingBox readings;
static std::atomic<bool> learnAgainAsked(false);

void chooseHandsWay(HandsWay way) { handsWay = way; }

void askToLearnAgain() { learnAgainAsked = true; }

void startWebcamWorker() {
    if (cameraConnected) {
        return;
    }
    if (!WebCam.Connect()) {
        return;
    }
    cameraConnected = true;
    WebCam.AfficheWebCam();
    learnAgainAsked = false;
    linkWorker(WorkerLinks{&WebCam, g_hDC, &thread_signal, &world.shownLife1, &world.shownLife2, &readings,
                           handsWay, &learnAgainAsked, DEFAULT_FACE_MODEL});
    worker = std::thread(thread_webcam, nullptr);
}

void paintKeyboardNotice() {
    if (cameraConnected || g_hDC == nullptr) {
        return;
    }
    const char* const LINES[] = {
        replayUnderWay() ? "A recorded fight plays; the keyboard takes over at its end."
                         : "No camera picture: the keyboard plays.",
        "Player 1:  A and D walk,  Z rock,  X paper,  C scissors",
        "Player 2:  arrow keys walk,  B rock,  N paper,  M scissors",
        "Escape, or closing a window, quits.",
    };
    drawRectangle(g_hDC, 0, 0, 1200, 272);
    setTextFont(g_hDC, "Impact", 26);
    setTextColour(g_hDC, 22, 199, 35);
    for (int i = 0; i < 4; i++) {
        drawText(g_hDC, 40, 36 + 52 * i, LINES[i]);
    }
    flushViewSurface(g_hDC);
}

// One player's inputs of the frame, as the keys (or a pad) set them.
struct PlayerKeys {
    int left, right, up, down, sign;
};

static PlayerKeys keysOf(const World& w, int player) {
    return player == 1 ? PlayerKeys{w.left1, w.right1, w.up1, w.down1, w.sign1}
                       : PlayerKeys{w.left2, w.right2, w.up2, w.down2, w.sign2};
}

static void giveKeys(World& w, int player, const PlayerKeys& keys) {
    (player == 1 ? w.left1 : w.left2) = keys.left;
    (player == 1 ? w.right1 : w.right2) = keys.right;
    (player == 1 ? w.up1 : w.up2) = keys.up;
    (player == 1 ? w.down1 : w.down2) = keys.down;
    (player == 1 ? w.sign1 : w.sign2) = keys.sign;
}

// A camera that has gone (pulled out, its source ended or failed) is said once, and the worker
// and the preview are wound down so that its last measurements no longer stand in for the keys.
static bool windDownLostCamera() {
    std::string reason;
    if (!captureLost(WebCam.hDCCapture, &reason)) {
        return false;
    }
    // Said once the worker has stopped, when the keyboard really is in charge again.
    stopWebcamWorker();
    std::string name = captureSourceName(WebCam.captureDevice, WebCam.captureSource);
    std::fprintf(stderr, "Vantorix: %s stopped giving pictures (%s); play continues on the keyboard\n",
                 name.c_str(), reason.c_str());
    std::fflush(stderr);
    paintKeyboardNotice();
    return true;
}

void passWebcamMeasurements() {
    // Without a camera, or after F1, the keyboard's inputs of the frame stand.
    if (!cameraConnected || windDownLostCamera() || !world.webcamOn) {
        return;
    }
    HandReading reading = readings.take();
    PlayerKeys keys1 = keysOf(world, 1), keys2 = keysOf(world, 2);
    world.handleWebcamEvents(reading.player1.baryX, reading.player1.baryY, reading.player2.baryX,
                             reading.player2.baryY, reading.player1.sign, reading.player2.sign);
    // The room way finds no hand in an empty half, a dark picture or while it learns: the keys
    // play that player's part.
    if (handsWay == HANDS_ROOM && !reading.player1.found) {
        giveKeys(world, 1, keys1);
    }
    if (handsWay == HANDS_ROOM && !reading.player2.found) {
        giveKeys(world, 2, keys2);
    }
}

std::thread& webcamWorkerThread() { return worker; }

void stopWebcamWorker() {
    thread_signal = -1;
    if (worker.joinable() && worker.get_id() != std::this_thread::get_id()) {
        worker.join();
    }
    // The preview paints into the view window too: it stops before the window goes away.
    if (cameraConnected) {
        WebCam.Disconnect();
        cameraConnected = false;
    }
}
