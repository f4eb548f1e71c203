// Starting, feeding from and stopping the webcam worker thread.
#include "webcam_worker_control.h"

#include <cstdio>
#include <string>
#include <thread>

#include "../platform/camera.h"
#include "../webcam/worker.h"
#include "globals.h"

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
    worker = std::thread(thread_webcam, nullptr);
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
