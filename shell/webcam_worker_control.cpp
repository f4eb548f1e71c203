// Starting, feeding from and stopping the webcam worker thread.
#include "webcam_worker_control.h"

#include <thread>

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

void passWebcamMeasurements() {
    // Without a camera, or after F1, the keyboard's inputs of the frame stand.
    if (!cameraConnected || !world.webcamOn) {
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
