// A drawing surface on the view window with its own display connection, for the webcam worker.
#ifndef VANTORIX_VIEW_SURFACE_H
#define VANTORIX_VIEW_SURFACE_H

struct ViewWindow;
struct ViewSurface;

// Opens a surface on the window. Its drawing calls may run on another thread than the
// window's message loop: they never share a connection with it.
ViewSurface* getViewSurface(const ViewWindow* window);
void releaseViewSurface(ViewSurface* surface);

// Fills left..right-1 x top..bottom-1 black, with a one-pixel black outline.
void drawRectangle(ViewSurface* surface, int left, int top, int right, int bottom);
// Sends what was drawn to the display.
void flushViewSurface(ViewSurface* surface);

#endif
