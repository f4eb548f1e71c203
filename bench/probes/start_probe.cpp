// The game's start, as its main() runs it, up to the first frame on screen; then it says when.
// Prints "first-frame MICROSECONDS" on the machine's monotonic clock (see start_timer.cpp).
#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "bench/probes/game_session.h"
#include "platform/view_window.h"
#include "shell/game_objects.h"
#include "shell/frame.h"
#include "shell/start.h"
#include "shell/webcam_worker_control.h"

int main() {
    startGame(CommandLine());
    // The loop's first frame, until the picture is on screen.
    playFrame();
    glFinish();
    std::printf("first-frame %.0f\n", nowMicroseconds());
    std::fflush(stdout);
    stopWebcamWorker();
    destroyViewWindow(g_hWnd);
    return 0;
}
