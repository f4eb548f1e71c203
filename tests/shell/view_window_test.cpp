// The view window's queue and window procedure: closing and Escape end the loop, other keys do not.
#include <gtest/gtest.h>
// After the test framework: Xlib defines macros such as None that clash with it.
#include <X11/Xlib.h>

#include "platform/view_window.h"
#include "shell/shell.h"

static bool drainUntilQuit(int passes) {
    for (int i = 0; i < passes; i++) {
        ViewMessage msg;
        if (!peekViewMessage(&msg)) {
            continue;
        }
        if (msg.message == VIEW_MSG_QUIT) {
            return true;
        }
        WndProc(msg.window, msg.message, msg.wParam, msg.lParam);
    }
    return false;
}

TEST(ViewWindow, WndProcPostsQuitForCloseAndEscapeOnly) {
    ViewWindow* window = CreationFenetre();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WndProc(window, VIEW_MSG_KEYDOWN, 'x', 0), 0);
    EXPECT_EQ(WndProc(window, VIEW_MSG_OTHER, 0, 0), 0);
    EXPECT_FALSE(drainUntilQuit(200));
    EXPECT_EQ(WndProc(window, VIEW_MSG_KEYDOWN, VIEW_KEY_ESCAPE, 0), 0);
    EXPECT_TRUE(drainUntilQuit(1));
    EXPECT_EQ(WndProc(window, VIEW_MSG_CLOSE, 0, 0), 0);
    EXPECT_TRUE(drainUntilQuit(1));
    destroyViewWindow(window);
}

TEST(ViewWindow, ClientAreaIs1200By272) {
    ViewWindow* window = CreationFenetre();
    ASSERT_NE(window, nullptr);
    Display* display = XOpenDisplay(NULL);
    ASSERT_NE(display, nullptr);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, (Window)viewWindowId(window), &attributes);
    EXPECT_EQ(attributes.width, 1200);
    EXPECT_EQ(attributes.height, 272);
    XCloseDisplay(display);
    destroyViewWindow(window);
}

TEST(ViewWindow, CloseRequestFromTheDesktopArrivesAsCloseMessage) {
    ViewWindow* window = CreationFenetre();
    ASSERT_NE(window, nullptr);
    Display* display = XOpenDisplay(NULL);
    XEvent event = {};
    event.xclient.type = ClientMessage;
    event.xclient.window = (Window)viewWindowId(window);
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSendEvent(display, event.xclient.window, False, NoEventMask, &event);
    XFlush(display);
    bool sawClose = false;
    for (int i = 0; i < 2000 && !sawClose; i++) {
        ViewMessage msg;
        if (peekViewMessage(&msg)) {
            sawClose = msg.message == VIEW_MSG_CLOSE;
        } else {
            XSync(display, False);
        }
    }
    EXPECT_TRUE(sawClose);
    XCloseDisplay(display);
    destroyViewWindow(window);
}
