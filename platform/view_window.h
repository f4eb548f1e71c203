// The webcam view window and its message queue: the game's only door to the desktop's windows.
#ifndef VANTORIX_VIEW_WINDOW_H
#define VANTORIX_VIEW_WINDOW_H

struct ViewWindow;

// Message numbers of the view window's queue.
enum ViewMessageType {
    VIEW_MSG_QUIT = 0,    // posted by postQuitMessage: the main loop ends
    VIEW_MSG_CLOSE = 1,   // the window manager asks the window to close
    VIEW_MSG_KEYDOWN = 2, // a key press; wParam holds the key (VIEW_KEY_ESCAPE or a key symbol)
    VIEW_MSG_OTHER = 3,   // anything else the desktop sends (focus, mapping, ...)
    VIEW_MSG_PAINT = 4    // the window's picture was lost (uncovered, mapped) and wants drawing
};

const unsigned int VIEW_KEY_ESCAPE = 27;
// F3's key symbol, as wParam holds it.
const unsigned int VIEW_KEY_F3 = 0xFFC0;

struct ViewMessage {
    ViewWindow* window;
    unsigned int message;
    unsigned int wParam;
    long lParam;
};

// Must run before any other window call, so that the webcam worker may draw beside the main thread.
void initWindowThreads();

// Opens a window whose client area is exactly width x height, shows it and gives it the focus.
// Returns null, with a message on standard error, when the display cannot be reached.
ViewWindow* createViewWindow(int width, int height, const char* title);
void destroyViewWindow(ViewWindow* window);

// Removes one message from the queue when there is one; false when the queue is empty.
bool peekViewMessage(ViewMessage* message);
// Queues the quit message that ends the main loop.
void postQuitMessage(int exitCode);

// The X window id, for tests that look the window up from outside.
unsigned long viewWindowId(const ViewWindow* window);

#endif
