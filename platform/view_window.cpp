// The webcam view window on X11 and its message queue.
#include "platform/view_window.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/keysym.h>

#include <cstdio>

struct ViewWindow {
    Display* display;
    Window window;
    Atom deleteWindow;
};

// Only one view window exists, and only the main thread reads its queue.
static bool quitPosted = false;
static ViewWindow* openWindow = nullptr;

void initWindowThreads() { XInitThreads(); }

static void fixClientSize(ViewWindow* view, int width, int height) {
    XSizeHints* hints = XAllocSizeHints();
    hints->flags = PMinSize | PMaxSize | PSize;
    hints->min_width = hints->max_width = hints->width = width;
    hints->min_height = hints->max_height = hints->height = height;
    XSetWMNormalHints(view->display, view->window, hints);
    XFree(hints);
}

ViewWindow* createViewWindow(int width, int height, const char* title) {
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        std::fprintf(stderr, "Vantorix: cannot open the X display \"%s\"\n", XDisplayName(NULL));
        return nullptr;
    }
    int screen = DefaultScreen(display);
    ViewWindow* view = new ViewWindow;
    view->display = display;
    // Placed to the right of the game window when the window manager honours positions.
    view->window = XCreateSimpleWindow(display, RootWindow(display, screen), 0, 640, width, height,
                                       0, BlackPixel(display, screen), WhitePixel(display, screen));
    XStoreName(display, view->window, title);
    fixClientSize(view, width, height);
    view->deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, view->window, &view->deleteWindow, 1);
    XSelectInput(display, view->window, KeyPressMask | ExposureMask | StructureNotifyMask | FocusChangeMask);
    XMapRaised(display, view->window);
    XSync(display, False);
    // The window takes the keyboard as it is shown, once the server has mapped it.
    XEvent event;
    do {
        XWindowEvent(display, view->window, StructureNotifyMask, &event);
    } while (event.type != MapNotify);
    XSetInputFocus(display, view->window, RevertToParent, CurrentTime);
    XFlush(display);
    quitPosted = false;
    openWindow = view;
    return view;
}

void destroyViewWindow(ViewWindow* view) {
    if (view == nullptr) {
        return;
    }
    XDestroyWindow(view->display, view->window);
    XCloseDisplay(view->display);
    if (openWindow == view) {
        openWindow = nullptr;
    }
    delete view;
}

void postQuitMessage(int exitCode) {
    (void)exitCode;
    quitPosted = true;
}

unsigned long viewWindowId(const ViewWindow* view) { return view == nullptr ? 0 : view->window; }

static void translate(ViewWindow* view, const XEvent& event, ViewMessage* message) {
    message->window = view;
    message->message = VIEW_MSG_OTHER;
    message->wParam = 0;
    message->lParam = 0;
    if (event.type == ClientMessage && (Atom)event.xclient.data.l[0] == view->deleteWindow) {
        message->message = VIEW_MSG_CLOSE;
    } else if (event.type == Expose && event.xexpose.count == 0) {
        message->message = VIEW_MSG_PAINT;
    } else if (event.type == KeyPress) {
        XKeyEvent key = event.xkey;
        KeySym symbol = XLookupKeysym(&key, 0);
        message->message = VIEW_MSG_KEYDOWN;
        message->wParam = symbol == XK_Escape ? VIEW_KEY_ESCAPE : (unsigned int)symbol;
    }
}

bool peekViewMessage(ViewMessage* message) {
    if (quitPosted) {
        quitPosted = false;
        message->window = openWindow;
        message->message = VIEW_MSG_QUIT;
        message->wParam = 0;
        message->lParam = 0;
        return true;
    }
    if (openWindow == nullptr || XPending(openWindow->display) == 0) {
        return false;
    }
    XEvent event;
    XNextEvent(openWindow->display, &event);
    translate(openWindow, event, message);
    return true;
}
