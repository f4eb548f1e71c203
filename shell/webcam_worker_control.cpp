// Starting, feeding from and stopping the webcam worker thread.
#include "shell/webcam_worker_control.h"

#include <atomic>
#include <cstdio>
#include <string>
#include <thread>

#include "platform/camera.h"
#include "platform/view_surface.h"
#include "webcam/worker.h"
#include "shell/game_objects.h"
#include "shell/view_notice.h"

// Only the main thread starts, feeds and stops the worker.
static std::thread worker;
static bool cameraConnected = false;
static HandsWay handsWay = HANDS_DESIGN;
// Written by the worker, taken whole by the main thread.
static ReadingBox readings;
static std::atomic<bool> learnAgainAsked(false);

// The room way reads the preview's frame on each of its four or so passes a second: refreshed
// every 300 ms, that frame was often a pass old, and a sign reached the fight some 180 ms later
// (median of 30 signs shown, vantorix_frame_probe latency).
static const int ROOM_PREVIEW_PERIOD_MS = 100;

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
    WebCam.previewPeriodMs = handsWay == HANDS_ROOM ? ROOM_PREVIEW_PERIOD_MS : DESIGN_PREVIEW_PERIOD_MS;
    WebCam.AfficheWebCam();
    learnAgainAsked = false;
    linkWorker(WorkerLinks{&WebCam, g_hDC, &thread_signal, &world.shownLife1, &world.shownLife2, &readings,
                           handsWay, &learnAgainAsked, DEFAULT_FACE_MODEL});
    worker = std::thread(thread_webcam, nullptr);
}

bool webcamConnected() { return cameraConnected; }

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

FrameInputs passWebcamMeasurements(const FrameInputs& keys) {
    // Without a camera, or after F1, the keyboard's inputs of the frame stand.
    if (!cameraConnected || windDownLostCamera() || !world.webcamOn) {
        return keys;
    }
    HandReading reading = readings.take();
    FrameInputs inputs = webcamInputs(world, keys, reading.player1.baryX, reading.player2.baryX,
                                      reading.player1.sign, reading.player2.sign);
    // The room way finds no hand in an empty half, a dark picture or while it learns: the keys
    // play that player's part.
    if (handsWay == HANDS_ROOM && !reading.player1.found) {
        setPlayerMoves(inputs, 1, keys.left1, keys.right1, keys.sign1);
    }
    if (handsWay == HANDS_ROOM && !reading.player2.found) {
        setPlayerMoves(inputs, 2, keys.left2, keys.right2, keys.sign2);
    }
    return inputs;
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
