// Text on the view surface through Xft: the named face, or the narrow stand-in when it is missing.
#include <X11/Xft/Xft.h>

#include <cstring>

#include "platform/view_surface.h"
#include "platform/view_surface_state.h"

// The face drawn when the named one is not installed. The view's text rows begin with 25 spaces
// and must end inside a 120-pixel panel, which takes a narrow face with a narrow space, as Impact,
// the face the view asks for, is. Yanone Kaffeesatz Bold (fonts-yanone-kaffeesatz) is condensed
// and heavy; drawn at 80% of its width its space hints to 2 pixels in an 18-pixel cell (3 at
// full width), and the longest row ends some 20 pixels inside its panel.
static const char* const STAND_IN_FACE = "Yanone Kaffeesatz";
static const double STAND_IN_WIDTH = 0.8;

static XftFont* openFace(Display* display, const char* face, double pixelSize) {
    return XftFontOpen(display, DefaultScreen(display), XFT_FAMILY, XftTypeString, face,
                       XFT_PIXEL_SIZE, XftTypeDouble, pixelSize, NULL);
}

static XftFont* openStandIn(Display* display, double pixelSize) {
    XftMatrix narrow;
    XftMatrixInit(&narrow);
    XftMatrixScale(&narrow, STAND_IN_WIDTH, 1.0);
    return XftFontOpen(display, DefaultScreen(display), XFT_FAMILY, XftTypeString, STAND_IN_FACE,
                       XFT_WEIGHT, XftTypeInteger, XFT_WEIGHT_BOLD, XFT_PIXEL_SIZE, XftTypeDouble,
                       pixelSize, XFT_MATRIX, XftTypeMatrix, &narrow, NULL);
}

// Whether fontconfig found the named family itself rather than a substitute for it.
static bool isFamily(const XftFont* font, const char* face) {
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(font->pattern, FC_FAMILY, i, &family) == FcResultMatch; i++) {
        if (FcStrCmpIgnoreCase(family, (const FcChar8*)face) == 0) {
            return true;
        }
    }
    return false;
}

static XftFont* openText(Display* display, const char* face, bool standIn, double pixelSize) {
    return standIn ? openStandIn(display, pixelSize) : openFace(display, face, pixelSize);
}

bool setTextFont(ViewSurface* surface, const char* face, int height) {
    if (surface == nullptr || height <= 0) {
        return false;
    }
    releaseTextFont(surface);
    XftFont* font = openFace(surface->display, face, height);
    bool standIn = font != nullptr && !isFamily(font, face);
    if (standIn) {
        XftFontClose(surface->display, font);
        font = openStandIn(surface->display, height);
    }
    if (font == nullptr) {
        return false;
    }
    // Faces put a different share of their cell above and below the em square; rescale so
    // that the whole cell has the asked height, as a cell-height font request means.
    int cell = font->ascent + font->descent;
    if (cell > 0 && cell != height) {
        XftFont* scaled = openText(surface->display, face, standIn, (double)height * height / cell);
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
