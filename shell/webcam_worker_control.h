// Starting, feeding from and stopping the webcam worker thread.
#ifndef VANTORIX_WEBCAM_WORKER_CONTROL_H
#define VANTORIX_WEBCAM_WORKER_CONTROL_H

#include <thread>

#include "game/frame_inputs.h"
#include "webcam/worker.h"

// The way the worker finds hands; set before it starts (the design way unless chosen).
void chooseHandsWay(HandsWay way);

// F3 in either window: the room way learns the room and the players again; the design way
// ignores it.
void askToLearnAgain();

// Connects the camera to the view window and starts the worker when a camera is there;
// otherwise says so on standard error and leaves the keyboard in charge.
void startWebcamWorker();

// Once per frame, after the keys: the frame's inputs from the latest reading, both hands of one
// analysed frame, while a camera is connected and the webcam input is switched on; otherwise
// the keys' inputs. In the room way a player whose hand is not found keeps the keys' inputs. A
// camera that has stopped giving pictures is reported once on standard error and the worker is
// stopped; the keyboard plays from then on.
FrameInputs passWebcamMeasurements(const FrameInputs& keys);

// True while a camera gives pictures to the worker (which then paints the view window).
bool webcamConnected();

// The worker thread; joinable only while a camera is connected and the worker runs.
std::thread& webcamWorkerThread();

// Sets thread_signal to -1 and waits for the worker when one runs; safe to call more than once.
void stopWebcamWorker();

#endif
