// Starting, feeding from and stopping the webcam worker thread.
#include "webcam_worker_control.h"

#include "globals.h"

void startWebcamWorker() {}

void passWebcamMeasurements() {}

void stopWebcamWorker() { thread_signal = -1; }
