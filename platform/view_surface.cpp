// A drawing surface on the view window with its own display connection, for the webcam worker.
#include "view_surface.h"

#include <X11/Xlib.h>

#include "view_window.h"

struct ViewSurface {
    Display* display;
    Window window;
    GC gc;
};

ViewSurface* getViewSurface(const ViewWindow* window) {
    Display* display = XOpenDisplay(NULL);
    if (display == NULL) {
        return nullptr;
    }
    ViewSurface* surface = new ViewSurface;
    surface->display = display;
    surface->window = (Window)viewWindowId(window);
    surface->gc = XCreateGC(display, surface->window, 0, NULL);
    return surface;
}

void releaseViewSurface(ViewSurface* surface) {
    if (surface == nullptr) {
        return;
    }
    XFreeGC(surface->display, surface->gc);
    XCloseDisplay(surface->display);
    delete surface;
}

void drawRectangle(ViewSurface* surface, int left, int top, int right, int bottom) {
    if (surface == nullptr || right <= left || bottom <= top) {
        return;
    }
    int screen = DefaultScreen(surface->display);
    XSetForeground(surface->display, surface->gc, BlackPixel(surface->display, screen));
    XFillRectangle(surface->display, surface->window, surface->gc, left, top,
                   (unsigned)(right - left), (unsigned)(bottom - top));
    // The outline is black too, drawn inside the right and bottom edges as the fill is.
    XDrawRectangle(surface->display, surface->window, surface->gc, left, top,
                   (unsigned)(right - left - 1), (unsigned)(bottom - top - 1));
}

void flushViewSurface(ViewSurface* surface) {
    if (surface != nullptr) {
        XFlush(surface->display);
    }
}
