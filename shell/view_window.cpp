// The webcam view window beside the game window: its opening (CreationFenetre) and its window
// procedure (WndProc), where Escape and closing end the main loop.
#include "shell/shell.h"

#include <cstdio>

#include "platform/game_end.h"
#include "platform/view_surface.h"
#include "platform/view_window.h"
#include "shell/game_objects.h"
#include "shell/hosting_notice.h"
#include "shell/start_screen.h"
#include "shell/view_notice.h"
#include "shell/webcam_worker_control.h"

static const int VIEW_WIDTH = 1200;
static const int VIEW_HEIGHT = 272;

ViewWindow* CreationFenetre() { return createViewWindow(VIEW_WIDTH, VIEW_HEIGHT, "Vantorix webcam"); }

void openWebcamView() {
    g_hWnd = CreationFenetre();
    if (g_hWnd == nullptr) {
        std::fprintf(stderr, "Vantorix: cannot open the webcam view window\n");
        endGame(1);
    }
    WebCam.hWndFenetre = g_hWnd;
    g_hDC = getViewSurface(g_hWnd);
    WebCam.hDCFenetre = g_hDC;
}

void closeWebcamView() {
    if (g_hWnd != nullptr) {
        destroyViewWindow(g_hWnd);
        g_hWnd = nullptr;
        g_hDC = nullptr;
    }
}

long WndProc(ViewWindow* hwnd, unsigned int message, unsigned int wParam, long lParam) {
    (void)hwnd;
    (void)lParam;
    if (message == VIEW_MSG_CLOSE) {
        // Closing does not destroy the window: the game's end does that once the loop is over.
        postQuitMessage(0);
    } else if (message == VIEW_MSG_KEYDOWN && wParam == VIEW_KEY_ESCAPE) {
        postQuitMessage(0);
    } else if (message == VIEW_MSG_KEYDOWN && wParam == VIEW_KEY_F3) {
        askToLearnAgain();
    } else if (message == VIEW_MSG_PAINT && !paintHostingNotice() && !paintStartScreenNotice()) {
        paintKeyboardNotice();
    }
    // Every other key press is consumed; the game's keys belong to the game window.
    return 0;
}
