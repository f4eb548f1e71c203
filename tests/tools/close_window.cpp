// close_window: asks a window, found by its title, to close, as a window manager's close button does.
#include <X11/Xlib.h>

#include <cstdio>
#include <cstring>

static Window findByTitle(Display* display, Window root, const char* title) {
    char* name = NULL;
    if (XFetchName(display, root, &name) && name != NULL) {
        bool same = std::strcmp(name, title) == 0;
        XFree(name);
        if (same) {
            return root;
        }
    }
    Window parent, *children = NULL;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, root, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; i++) {
            found = findByTitle(display, children[i], title);
        }
        if (children != NULL) {
            XFree(children);
        }
    }
    return found;
}

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: close_window TITLE\n");
        return 2;
    }
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        std::fprintf(stderr, "close_window: cannot open the display\n");
        return 2;
    }
    Window window = findByTitle(display, DefaultRootWindow(display), argv[1]);
    if (window == 0) {
        std::fprintf(stderr, "close_window: no window titled \"%s\"\n", argv[1]);
        return 1;
    }
    XEvent event;
    std::memset(&event, 0, sizeof(event));
    event.xclient.type = ClientMessage;
    event.xclient.window = window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = (long)XInternAtom(display, "WM_DELETE_WINDOW", False);
    event.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, window, False, NoEventMask, &event);
    XCloseDisplay(display);
    return 0;
}
