// The menu's drawing: a dimmed backdrop, the title, a panel of rows with the highlight, the
// notice and the hint, all measured in shares of the picture's height.
#include "menu/menu_draw.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <algorithm>
#include <string>

#include "render/game_window.h"
#include "render/text.h"

static const float WHITE[4] = {0.95f, 0.96f, 1.0f, 1.0f};
static const float SOFT[4] = {0.72f, 0.76f, 0.86f, 1.0f};
static const float DIM[4] = {0.55f, 0.6f, 0.72f, 1.0f};
static const float GOLD[4] = {1.0f, 0.82f, 0.35f, 1.0f};
static const float WARNING[4] = {1.0f, 0.55f, 0.3f, 1.0f};
static const float SHADOW[4] = {0.0f, 0.0f, 0.05f, 0.8f};
static const float TITLE_GLOW[4] = {0.3f, 0.35f, 1.0f, 0.55f};

// The picture's place in the window, with y counted downwards as the drawing counts it.
struct Frame {
    int x, y, width, height;
    int px(float share) const { return x + (int)(width * share + 0.5f); }
    int py(float share) const { return y + (int)(height * share + 0.5f); }
    int size(float share) const { return std::max(1, (int)(height * share + 0.5f)); }
};

static Frame pictureFrame() {
    Letterbox picture = currentPicture();
    const SDL_Surface* screen = SDL_GetVideoSurface();
    int windowHeight = screen != NULL ? screen->h : picture.y * 2 + picture.height;
    return Frame{picture.x, windowHeight - picture.y - picture.height, picture.width, picture.height};
}

static void fill(int x, int y, int width, int height, const float rgba[4]) {
    glColor4fv(rgba);
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x, y + height);
    glVertex2i(x + width, y + height);
    glVertex2i(x + width, y);
    glEnd();
}

// A bar whose colour fades out towards both ends.
static void fadedBar(int x, int y, int width, int height, const float rgba[4]) {
    float clear[4] = {rgba[0], rgba[1], rgba[2], 0.0f};
    int middle = x + width / 2;
    glBegin(GL_QUADS);
    glColor4fv(clear);
    glVertex2i(x, y);
    glVertex2i(x, y + height);
    glColor4fv(rgba);
    glVertex2i(middle, y + height);
    glVertex2i(middle, y);
    glVertex2i(middle, y);
    glVertex2i(middle, y + height);
    glColor4fv(clear);
    glVertex2i(x + width, y + height);
    glVertex2i(x + width, y);
    glEnd();
}

static void textAt(const std::string& text, TextStyle style, int size, int x, int y, const float rgba[4],
                   float align) {
    int width, height;
    measureText(text, style, size, width, height);
    int left = x - (int)(width * align);
    float shadow[4] = {SHADOW[0], SHADOW[1], SHADOW[2], SHADOW[3] * rgba[3]};
    int offset = std::max(1, size / 16);
    drawText(text, style, size, left + offset, y + offset, shadow);
    drawText(text, style, size, left, y, rgba);
}

static void drawTitle(const Frame& frame, const MenuPage& page, bool start) {
    int size = frame.size(start ? 0.14f : 0.07f);
    int y = frame.py(start ? 0.06f : 0.1f);
    int width, height;
    measureText(page.title, TEXT_BOLD, size, width, height);
    int x = frame.px(0.5f) - width / 2;
    // A soft blue glow behind the game's name, in the first player's colour.
    for (int k = 1; k <= 2; k++) {
        float glow[4] = {TITLE_GLOW[0], TITLE_GLOW[1], TITLE_GLOW[2], TITLE_GLOW[3] / (2 * k)};
        int spread = k * std::max(1, size / 45);
        drawText(page.title, TEXT_BOLD, size, x - spread, y, glow);
        drawText(page.title, TEXT_BOLD, size, x + spread, y, glow);
        drawText(page.title, TEXT_BOLD, size, x, y - spread, glow);
        drawText(page.title, TEXT_BOLD, size, x, y + spread, glow);
    }
    drawText(page.title, TEXT_BOLD, size, x, y, WHITE);
    if (start) {
        fadedBar(frame.px(0.3f), y + height, frame.px(0.7f) - frame.px(0.3f), std::max(1, size / 28), GOLD);
    }
}

struct RowsPlace {
    int left, right, top, rowHeight, textSize;
};

static RowsPlace placeRows(const Frame& frame, const MenuPage& page, bool start) {
    RowsPlace place;
    int count = std::max(1, page.shownCount);
    float rowShare = std::min(start ? 0.066f : 0.054f, 0.6f / count);
    place.rowHeight = frame.size(rowShare);
    place.textSize = frame.size(rowShare * 0.62f);
    float half = start ? 0.24f : page.overFight ? 0.2f : 0.32f;
    place.left = frame.px(0.5f - half);
    place.right = frame.px(0.5f + half);
    // The start screen's few items sit in the middle; a screen's rows hang under its title.
    place.top = start ? frame.py(0.565f) - place.rowHeight * count / 2 : frame.py(0.25f);
    return place;
}

static void drawPanel(const RowsPlace& place, const MenuPage& page) {
    int margin = place.rowHeight / 2;
    int height = place.rowHeight * std::max(1, page.shownCount) + 2 * margin;
    const float panel[4] = {0.02f, 0.03f, 0.1f, 0.62f};
    const float edge[4] = {0.45f, 0.5f, 1.0f, 0.35f};
    int x = place.left - margin;
    int width = place.right - place.left + 2 * margin;
    int y = place.top - margin;
    fill(x, y, width, height, panel);
    fill(x, y, width, 1, edge);
    fill(x, y + height - 1, width, 1, edge);
}

static void drawRow(const RowsPlace& place, const MenuItem& item, int y, bool highlighted, bool centred) {
    int textY = y + (place.rowHeight - place.textSize * 6 / 5) / 2;
    if (highlighted) {
        const float bar[4] = {GOLD[0], GOLD[1] * 0.8f, GOLD[2] * 0.5f, 0.28f};
        fadedBar(place.left, y, place.right - place.left, place.rowHeight, bar);
        fill(place.left, y + place.rowHeight / 6, std::max(2, place.rowHeight / 12), place.rowHeight * 2 / 3, GOLD);
    }
    const float* colour = highlighted ? GOLD : item.kind == ITEM_LINE ? SOFT : WHITE;
    int pad = place.rowHeight / 2;
    if (item.kind == ITEM_HEADING) {
        int small = place.textSize * 4 / 5;
        textAt(item.label, TEXT_BOLD, small, place.left + pad / 2, textY + place.textSize - small, DIM, 0.0f);
    } else if (centred) {
        textAt(item.label, highlighted ? TEXT_BOLD : TEXT_REGULAR, place.textSize, (place.left + place.right) / 2,
               textY, colour, 0.5f);
    } else {
        textAt(item.label, highlighted ? TEXT_BOLD : TEXT_REGULAR, place.textSize, place.left + pad, textY, colour, 0.0f);
        std::string value = item.kind == ITEM_FIELD && highlighted ? item.value + "_" : item.value;
        if (item.kind == ITEM_CHOICE) {
            value = "\xe2\x97\x82 " + value + " \xe2\x96\xb8";  // the arrows that change it
        }
        textAt(value, TEXT_REGULAR, place.textSize, place.right - pad, textY, highlighted ? WHITE : SOFT, 1.0f);
    }
}

// The arrows that say more rows are above or below those shown.
static void drawScrollMarks(const RowsPlace& place, const MenuPage& page) {
    int x = (place.left + place.right) / 2;
    int size = place.textSize * 3 / 4;
    if (page.firstShown > 0) {
        textAt("\xe2\x96\xb2", TEXT_REGULAR, size, x, place.top - place.rowHeight / 2 - size / 2, DIM, 0.5f);
    }
    if (page.firstShown + page.shownCount < (int)page.items.size()) {
        int bottom = place.top + place.rowHeight * page.shownCount;
        textAt("\xe2\x96\xbc", TEXT_REGULAR, size, x, bottom + place.rowHeight / 2 - size / 2, DIM, 0.5f);
    }
}

std::vector<MenuRect> drawMenu(const MenuPage& page) {
    std::vector<MenuRect> rects;
    Frame frame = pictureFrame();
    if (frame.width <= 0 || frame.height <= 0) {
        return rects;
    }
    bool start = page.startScreen;
    beginWindowPixels();
    const float veil[4] = {0.0f, 0.0f, 0.02f, page.overFight ? 0.55f : 0.3f};
    fill(frame.x, frame.y, frame.width, frame.height, veil);
    drawTitle(frame, page, start);
    RowsPlace place = placeRows(frame, page, start);
    drawPanel(place, page);
    for (int k = 0; k < page.shownCount; k++) {
        int index = page.firstShown + k;
        const MenuItem& item = page.items[index];
        int y = place.top + k * place.rowHeight;
        drawRow(place, item, y, index == page.highlighted, start || page.overFight);
        if (item.kind != ITEM_HEADING && item.kind != ITEM_LINE) {
            rects.push_back(MenuRect{place.left, y, place.right - place.left, place.rowHeight, index});
        }
    }
    drawScrollMarks(place, page);
    int below = place.top + place.rowHeight * std::max(1, page.shownCount) + place.rowHeight / 2 + frame.size(0.015f);
    textAt(page.notice, TEXT_REGULAR, frame.size(0.03f), frame.px(0.5f), std::max(below, frame.py(0.85f)),
           page.noticeIsWarning ? WARNING : SOFT, 0.5f);
    textAt(page.hint, TEXT_REGULAR, frame.size(0.024f), frame.px(0.5f), frame.py(0.945f), DIM, 0.5f);
    endWindowPixels();
    return rects;
}
