// The game brought up as its own main() does, for the probes that time and weigh it.
#ifndef VANTORIX_BENCH_GAME_SESSION_H
#define VANTORIX_BENCH_GAME_SESSION_H

#include <string>
#include <thread>

#include "webcam/worker.h"

// A camera-like test source: a moving picture at 30 frames a second, scaled like a webcam's.
extern const char* const TEST_CAMERA_SOURCE;

// Monotonic clock in microseconds, the same for every process of the machine.
double nowMicroseconds();
// CPU time of the whole process, in seconds.
double processCpuSeconds();
// Resident size of the process, in kilobytes.
long residentKilobytes();

// Moves into the folder the game reads its files from (the game's data/ unless told otherwise).
void enterDataFolder(const char* folder);

// The game's own start, with the camera on `cameraSource` (an empty source: the game's own
// camera) and hands found the given way. Returns false when the camera could not be connected
// (play then goes on without the worker).
bool startGameOn(const std::string& cameraSource, HandsWay hands = HANDS_DESIGN);
// The worker thread started by startGame; not joinable without a camera.
std::thread& webcamWorker();
// Stops the worker and lets the camera go.
void stopGame();

#endif
