// WndProc: the view window's answer to its messages; Escape and closing end the main loop.
#include "platform/view_window.h"
#include "shell/hosting_notice.h"
#include "shell/shell.h"
#include "shell/webcam_worker_control.h"

long WndProc(ViewWindow* hwnd, unsigned int message, unsigned int wParam, long lParam) {
    (void)hwnd;
    (void)lParam;
    if (message == VIEW_MSG_CLOSE) {
        // Closing does not destroy the window: main2 does that once the loop has ended.
        postQuitMessage(0);
    } else if (message == VIEW_MSG_KEYDOWN && wParam == VIEW_KEY_ESCAPE) {
        postQuitMessage(0);
    } else if (message == VIEW_MSG_KEYDOWN && wParam == VIEW_KEY_F3) {
        askToLearnAgain();
    } else if (message == VIEW_MSG_PAINT && !paintHostingNotice()) {
        paintKeyboardNotice();
    }
    // Every other key press is consumed; the game's keys belong to the game window.
    return 0;
}
