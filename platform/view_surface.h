// A drawing surface on the view window with its own display connection, for the webcam worker.
#ifndef VANTORIX_VIEW_SURFACE_H
#define VANTORIX_VIEW_SURFACE_H

struct ViewWindow;
struct ViewSurface;

// Opens a surface on the window. Its drawing calls may run on another thread than the
// window's message loop: they never share a connection with it. One thread at a time draws
// on a surface. Every drawing call does nothing on a null surface.
ViewSurface* getViewSurface(const ViewWindow* window);
void releaseViewSurface(ViewSurface* surface);

// Fills left..right-1 x top..bottom-1 black, with a one-pixel black outline.
void drawRectangle(ViewSurface* surface, int left, int top, int right, int bottom);
// A colour of the view window's drawings, each channel from 0 to 255.
struct ViewColour {
    int red;
    int green;
    int blue;
};
// The outline of left..right-1 x top..bottom-1, thickness pixels wide inside that edge, in a
// colour; what lies within shows through.
void drawOutline(ViewSurface* surface, int left, int top, int right, int bottom,
                 const ViewColour& colour, int thickness);
// Fills left..right-1 x top..bottom-1 with a colour.
void fillColour(ViewSurface* surface, int left, int top, int right, int bottom, const ViewColour& colour);
// Sends what was drawn to the display and waits until the display has drawn it.
void flushViewSurface(ViewSurface* surface);

// Chooses the text face: the named face when it is installed, else the game's own narrow
// condensed stand-in (the same on every machine that has the game's packages), scaled so that a
// character cell (ascent plus descent) is height pixels. False when no face could be opened.
bool setTextFont(ViewSurface* surface, const char* face, int height);
void releaseTextFont(ViewSurface* surface);
void setTextColour(ViewSurface* surface, int red, int green, int blue);
// Draws text with the top-left corner of its first cell at (x, y). Only the glyphs are painted:
// the background shows through. Nothing is drawn before a font is set.
void drawText(ViewSurface* surface, int x, int y, const char* text);

// A 32-bit picture in memory: four bytes per pixel, blue, green, red and one unused, rows of
// width * 4 bytes. Bottom-up: the first row in memory is the bottom of the picture.
struct BottomUpPicture {
    int width;
    int height;
    const unsigned char* bits;
};

// Paints the width x height part of the picture whose top-left corner is at (sourceX, sourceY)
// (counted from the picture's left and top) with its top-left corner at (x, y) of the surface.
// The part is clipped to the picture.
void drawPicture(ViewSurface* surface, int x, int y, int width, int height,
                 const BottomUpPicture& picture, int sourceX, int sourceY);

#endif
