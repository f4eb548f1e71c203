// Text on the view surface through Xft: the face fontconfig finds nearest to the one asked for.
#include <X11/Xft/Xft.h>

#include <cstring>

#include "platform/view_surface.h"
#include "platform/view_surface_state.h"

static XftFont* openFace(Display* display, const char* face, double pixelSize) {
    return XftFontOpen(display, DefaultScreen(display), XFT_FAMILY, XftTypeString, face,
                       XFT_PIXEL_SIZE, XftTypeDouble, pixelSize, NULL);
}

bool setTextFont(ViewSurface* surface, const char* face, int height) {
    if (surface == nullptr || height <= 0) {
        return false;
    }
    releaseTextFont(surface);
    XftFont* font = openFace(surface->display, face, height);
    if (font == nullptr) {
        return false;
    }
    // Faces put a different share of their cell above and below the em square; rescale so
    // that the whole cell has the asked height, as a cell-height font request means.
    int cell = font->ascent + font->descent;
    if (cell > 0 && cell != height) {
        XftFont* scaled = openFace(surface->display, face, (double)height * height / cell);
        if (scaled != nullptr) {
            XftFontClose(surface->display, font);
            font = scaled;
        }
    }
    if (surface->textDraw == nullptr) {
        surface->textDraw =
            XftDrawCreate(surface->display, surface->window, surface->visual, surface->colormap);
    }
    surface->font = font;
    return true;
}

void releaseTextFont(ViewSurface* surface) {
    if (surface != nullptr && surface->font != nullptr) {
        XftFontClose(surface->display, surface->font);
        surface->font = nullptr;
    }
}

void setTextColour(ViewSurface* surface, int red, int green, int blue) {
    if (surface == nullptr) {
        return;
    }
    if (surface->colourAllocated) {
        XftColorFree(surface->display, surface->visual, surface->colormap, &surface->textColour);
    }
    XRenderColor colour;
    colour.red = (unsigned short)(red * 257);
    colour.green = (unsigned short)(green * 257);
    colour.blue = (unsigned short)(blue * 257);
    colour.alpha = 0xffff;
    surface->colourAllocated = XftColorAllocValue(surface->display, surface->visual,
                                                  surface->colormap, &colour, &surface->textColour);
}

void drawText(ViewSurface* surface, int x, int y, const char* text) {
    if (surface == nullptr || surface->font == nullptr || surface->textDraw == nullptr ||
        text == nullptr) {
        return;
    }
    if (!surface->colourAllocated) {
        setTextColour(surface, 0, 0, 0);
    }
    // Xft places text by its baseline; the caller gives the top of the cell.
    XftDrawStringUtf8(surface->textDraw, &surface->textColour, surface->font, x,
                      y + surface->font->ascent, (const FcChar8*)text, (int)std::strlen(text));
}
