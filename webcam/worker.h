// The webcam worker loop and its diagnostic overlay in the view window.
#ifndef VANTORIX_WEBCAM_WORKER_H
#define VANTORIX_WEBCAM_WORKER_H

#include <atomic>

class CWebCam;
struct ViewSurface;

// What the worker shares with the thread that starts it, without locks: the camera and its
// measurements, the view window's surface (only the worker draws there), the stop flag (-1
// stops it, read afresh before each pass) and the two lives it shows.
struct WorkerLinks {
    CWebCam* webcam;
    ViewSurface* surface;
    const std::atomic<int>* stop;
    const std::atomic<int>* life1;
    const std::atomic<int>* life2;
};

// Set before the worker starts and before any display function is called.
void linkWorker(const WorkerLinks& links);

// Grabs, analyses and shows a frame about five times a second until the stop flag is -1.
int thread_webcam(void* unused);

void displayResultsWebcam();
void displayValuePosition(int player, int x, int y);
void displayInterpPosition(int player, int x, int y);
void displayLife(int player, int x, int y);
void displayCirclePosition(int player, int left, int top);
void displayVariance(int player, int x, int y);
void displayRPS(int player, int x, int y);

// Direction of the hand from the centre (80, 120) of its half, in degrees within [0, 360):
// 0 right, 90 up, 180 left, 270 down as seen in the mirrored picture.
float directionAngle(int baryX, int baryY);
// "neutral" near the centre, else "RIGHT", "UP", "LEFT" or "DOWN" after directionAngle.
const char* directionWord(int baryX, int baryY);

#endif
