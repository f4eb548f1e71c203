// The webcam worker loop and its diagnostic overlay in the view window.
#ifndef VANTORIX_WEBCAM_WORKER_H
#define VANTORIX_WEBCAM_WORKER_H

#include <atomic>

#include "webcam/hand_reading.h"
#include "webcam/landmark_model.h"
#include "webcam/room_hands.h"

class CWebCam;
struct ViewSurface;

// How hands are found in the pictures: the design way (bright hands against the picture's mean)
// or the room way (a lit room learnt first, then moving skin, faces set aside).
enum HandsWay { HANDS_DESIGN = 0, HANDS_ROOM = 1 };

// What the worker shares with the thread that starts it: the camera and its design measurements,
// the view window's surface (only the worker draws there), the stop flag (-1 stops it, read
// afresh before each pass) and the two lives it shows; then where each frame's reading goes
// whole (nothing is published while null), the way, the flag F3 raises (the room way learns
// again; null or the design way ignore it), the room way's face cascade and its hand landmark
// model (a path from the working folder, the game's data folder).
struct WorkerLinks {
    CWebCam* webcam;
    ViewSurface* surface;
    const std::atomic<int>* stop;
    const std::atomic<int>* life1;
    const std::atomic<int>* life2;
    ReadingBox* readings = nullptr;
    HandsWay way = HANDS_DESIGN;
    std::atomic<bool>* learnAgain = nullptr;
    const char* faceModel = DEFAULT_FACE_MODEL;
    const char* handModel = DEFAULT_HAND_MODEL;
    const char* secondHandModel = DEFAULT_SECOND_HAND_MODEL;
};

// Set before the worker starts and before any display function is called. Publishes the reading
// the game takes until the first frame is analysed: the design measurements the camera starts
// with, or no hands in the room way.
void linkWorker(const WorkerLinks& links);

// Grabs, analyses and shows a frame about five times a second until the stop flag is -1.
int thread_webcam(void* unused);

// The design way's panels and hand markers from the camera's measurements, sent to the display.
void displayResultsWebcam();
// The same from one reading (both ways), not yet sent.
void displayReading(const HandReading& reading);

// Direction of the hand from the centre (80, 120) of its half, in degrees within [0, 360):
// 0 right, 90 up, 180 left, 270 down as seen in the mirrored picture.
float directionAngle(int baryX, int baryY);
// "neutral" near the centre, else "RIGHT", "UP", "LEFT" or "DOWN" after directionAngle.
const char* directionWord(int baryX, int baryY);

#endif
