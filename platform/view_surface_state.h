// Inside the view surface: its display connection and drawing state (platform files only).
#ifndef VANTORIX_VIEW_SURFACE_STATE_H
#define VANTORIX_VIEW_SURFACE_STATE_H

#include <X11/Xft/Xft.h>
#include <X11/Xlib.h>

struct ViewSurface {
    Display* display;
    Window window;
    GC gc;
    Visual* visual;
    Colormap colormap;
    int depth;
    XftDraw* textDraw;    // made with the first font
    XftFont* font;        // null until setTextFont
    XftColor textColour;
    bool colourAllocated;
};

#endif
