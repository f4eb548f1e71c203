// The program's global objects: the webcam, the fight, the worker's stop flag and the view window.
#ifndef VANTORIX_GAME_OBJECTS_H
#define VANTORIX_GAME_OBJECTS_H

#include <atomic>

#include "game/World.h"
#include "webcam/WebCam.h"

struct ViewWindow;
struct ViewSurface;

extern CWebCam WebCam;
extern World world;
// 0 while the webcam worker may run; -1 tells it to stop.
extern std::atomic<int> thread_signal;
extern ViewWindow* g_hWnd;
extern ViewSurface* g_hDC;

#endif
