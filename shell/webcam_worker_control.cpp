// Starting, feeding from and stopping the webcam worker thread.
#include "shell/webcam_worker_control.h"

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

void startWebcamWorker() {
    if (cameraConnected) {
        return;
    }
    if (!WebCam.Connect()) {
        return;
    }
    cameraConnected = true;
    WebCam.AfficheWebCam();
    linkWorker(WorkerLinks{&WebCam, g_hDC, &thread_signal, &world.life1, &world.life2});
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
    world.handleWebcamEvents(WebCam.baryX1, WebCam.baryY1, WebCam.baryX2, WebCam.baryY2,
                             WebCam.rps1, WebCam.rps2);
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
