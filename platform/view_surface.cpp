// A drawing surface on the view window with its own display connection: rectangles and pictures.
#include "platform/view_surface.h"

#include <X11/Xutil.h>

#include <cstdlib>
#include <cstring>
#include <mutex>
#include <vector>

#include "platform/view_surface_state.h"
#include "platform/view_window.h"

// Connections of released surfaces, kept open for the next surface. Xft and XRender keep
// per-connection caches keyed by the connection's address and a new connection opened at a
// closed one's address finds stale entries there, which garbles its requests.
static std::mutex spareLock;
static std::vector<Display*> spareDisplays;

static Display* openDisplay() {
    {
        std::lock_guard<std::mutex> hold(spareLock);
        if (!spareDisplays.empty()) {
            Display* display = spareDisplays.back();
            spareDisplays.pop_back();
            return display;
        }
    }
    return XOpenDisplay(NULL);
}

ViewSurface* getViewSurface(const ViewWindow* window) {
    if (window == nullptr) {
        return nullptr;
    }
    Display* display = openDisplay();
    if (display == NULL) {
        return nullptr;
    }
    ViewSurface* surface = new ViewSurface();
    surface->display = display;
    surface->window = (Window)viewWindowId(window);
    surface->gc = XCreateGC(display, surface->window, 0, NULL);
    XWindowAttributes attributes;
    XGetWindowAttributes(display, surface->window, &attributes);
    surface->visual = attributes.visual;
    surface->colormap = attributes.colormap;
    surface->depth = attributes.depth;
    return surface;
}

void releaseViewSurface(ViewSurface* surface) {
    if (surface == nullptr) {
        return;
    }
    releaseTextFont(surface);
    if (surface->colourAllocated) {
        XftColorFree(surface->display, surface->visual, surface->colormap, &surface->textColour);
    }
    if (surface->textDraw != nullptr) {
        XftDrawDestroy(surface->textDraw);
    }
    XFreeGC(surface->display, surface->gc);
    XSync(surface->display, True);  // nothing of this surface reaches the next one
    {
        std::lock_guard<std::mutex> hold(spareLock);
        spareDisplays.push_back(surface->display);
    }
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
        XSync(surface->display, False);
    }
}

// Position of a colour mask's lowest bit and its width, to place 8-bit channels in a pixel.
static void maskShape(unsigned long mask, int* shift, int* bits) {
    *shift = 0;
    *bits = 0;
    while (mask != 0 && (mask & 1) == 0) {
        mask >>= 1;
        ++*shift;
    }
    while ((mask & 1) != 0) {
        mask >>= 1;
        ++*bits;
    }
}

static unsigned long channelBits(unsigned char value, int shift, int bits) {
    unsigned long scaled = bits >= 8 ? (unsigned long)value << (bits - 8) : value >> (8 - bits);
    return scaled << shift;
}

// Fills image row by row from the picture part, in whatever pixel layout the window's visual has.
static void fillImage(const ViewSurface* surface, XImage* image, const BottomUpPicture& picture,
                      int sourceX, int sourceY) {
    int rs, rb, gs, gb, bs, bb;
    maskShape(surface->visual->red_mask, &rs, &rb);
    maskShape(surface->visual->green_mask, &gs, &gb);
    maskShape(surface->visual->blue_mask, &bs, &bb);
    bool sameLayout = image->bits_per_pixel == 32 && image->byte_order == LSBFirst &&
                      rs == 16 && gs == 8 && bs == 0 && rb == 8 && gb == 8 && bb == 8;
    for (int row = 0; row < image->height; ++row) {
        int pictureRow = picture.height - 1 - (sourceY + row);
        const unsigned char* from = picture.bits + ((size_t)pictureRow * picture.width + sourceX) * 4;
        if (sameLayout) {
            std::memcpy(image->data + (size_t)row * image->bytes_per_line, from,
                        (size_t)image->width * 4);
            continue;
        }
        for (int column = 0; column < image->width; ++column, from += 4) {
            unsigned long value = channelBits(from[2], rs, rb) | channelBits(from[1], gs, gb) |
                                  channelBits(from[0], bs, bb);
            XPutPixel(image, column, row, value);
        }
    }
}

// The pixel value of a colour in the window's visual (the view window's visuals are true colour).
static unsigned long pixelOf(const ViewSurface* surface, const ViewColour& colour) {
    int rs, rb, gs, gb, bs, bb;
    maskShape(surface->visual->red_mask, &rs, &rb);
    maskShape(surface->visual->green_mask, &gs, &gb);
    maskShape(surface->visual->blue_mask, &bs, &bb);
    return channelBits((unsigned char)colour.red, rs, rb) | channelBits((unsigned char)colour.green, gs, gb) |
           channelBits((unsigned char)colour.blue, bs, bb);
}

void drawOutline(ViewSurface* surface, int left, int top, int right, int bottom,
                 const ViewColour& colour, int thickness) {
    if (surface == nullptr) {
        return;
    }
    XSetForeground(surface->display, surface->gc, pixelOf(surface, colour));
    for (int i = 0; i < thickness && right - left - 2 * i > 0 && bottom - top - 2 * i > 0; ++i) {
        XDrawRectangle(surface->display, surface->window, surface->gc, left + i, top + i,
                       (unsigned)(right - left - 2 * i - 1), (unsigned)(bottom - top - 2 * i - 1));
    }
}

void fillColour(ViewSurface* surface, int left, int top, int right, int bottom, const ViewColour& colour) {
    if (surface == nullptr || right <= left || bottom <= top) {
        return;
    }
    XSetForeground(surface->display, surface->gc, pixelOf(surface, colour));
    XFillRectangle(surface->display, surface->window, surface->gc, left, top,
                   (unsigned)(right - left), (unsigned)(bottom - top));
}

void drawPicture(ViewSurface* surface, int x, int y, int width, int height,
                 const BottomUpPicture& picture, int sourceX, int sourceY) {
    if (surface == nullptr || picture.bits == nullptr || sourceX < 0 || sourceY < 0) {
        return;
    }
    if (sourceX + width > picture.width) {
        width = picture.width - sourceX;
    }
    if (sourceY + height > picture.height) {
        height = picture.height - sourceY;
    }
    if (width <= 0 || height <= 0) {
        return;
    }
    XImage* image = XCreateImage(surface->display, surface->visual, (unsigned)surface->depth,
                                 ZPixmap, 0, nullptr, (unsigned)width, (unsigned)height, 32, 0);
    if (image == nullptr) {
        return;
    }
    image->data = (char*)std::malloc((size_t)image->bytes_per_line * (size_t)height);
    if (image->data != nullptr) {
        fillImage(surface, image, picture, sourceX, sourceY);
        XPutImage(surface->display, surface->window, surface->gc, image, 0, 0, x, y,
                  (unsigned)width, (unsigned)height);
    }
    XDestroyImage(image);  // frees data too
}
