// The program's global objects, defined in one place so that WebCam is constructed before world.
#include "shell/game_objects.h"

CWebCam WebCam;
World world;
std::atomic<int> thread_signal{0};
ViewWindow* g_hWnd = nullptr;
ViewSurface* g_hDC = nullptr;
