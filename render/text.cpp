// Words in the game window: strings rendered by SDL_ttf into power-of-two GL 1.1 textures.
#include "render/text.h"

#include <GL/gl.h>
#include <SDL/SDL.h>
#include <SDL/SDL_ttf.h>

#include <map>
#include <utility>
#include <vector>

static const char* const FONT_FILES[2] = {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf",
                                          "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf"};
// Enough for every screen's words with room to spare; a window resized again and again makes
// new sizes, and the least recently drawn go first.
static const size_t MOST_TEXTURES = 256;
static const size_t MOST_FONTS = 24;
static const int SMALLEST_SIZE = 6;
static const int LARGEST_SIZE = 400;

struct TextTexture {
    GLuint name;
    int width, height;             // the words' own pixels
    int textureWidth, textureHeight;  // powers of two, as GL 1.1 needs
    unsigned long lastDrawn;
};

typedef std::pair<int, int> FontKey;  // style, size
typedef std::pair<FontKey, std::string> TextKey;

static bool opened = false;
static std::map<FontKey, TTF_Font*> fonts;
static std::map<TextKey, TextTexture> textures;
static unsigned long drawCount = 0;

bool openTextFonts(std::string& error) {
    if (opened) {
        return true;
    }
    if (!TTF_WasInit() && TTF_Init() != 0) {
        error = std::string("Vantorix: cannot start the font library: ") + TTF_GetError();
        return false;
    }
    for (const char* file : FONT_FILES) {
        TTF_Font* font = TTF_OpenFont(file, 12);
        if (font == nullptr) {
            error = std::string("Vantorix: cannot open the font ") + file + " (package fonts-dejavu-core): " +
                    TTF_GetError();
            return false;
        }
        TTF_CloseFont(font);
    }
    opened = true;
    return true;
}

static void deleteTextures() {
    for (auto& entry : textures) {
        glDeleteTextures(1, &entry.second.name);
    }
    textures.clear();
}

static void closeFonts() {
    for (auto& entry : fonts) {
        TTF_CloseFont(entry.second);
    }
    fonts.clear();
}

void closeTextFonts() {
    deleteTextures();
    closeFonts();
    opened = false;
}

void forgetTextTextures() { textures.clear(); }

static TTF_Font* fontFor(TextStyle style, int size) {
    if (!opened) {
        return nullptr;
    }
    FontKey key(style, size < SMALLEST_SIZE ? SMALLEST_SIZE : size > LARGEST_SIZE ? LARGEST_SIZE : size);
    auto found = fonts.find(key);
    if (found != fonts.end()) {
        return found->second;
    }
    if (fonts.size() >= MOST_FONTS) {
        closeFonts();
    }
    TTF_Font* font = TTF_OpenFont(FONT_FILES[style == TEXT_BOLD ? 1 : 0], key.second);
    if (font != nullptr) {
        fonts[key] = font;
    }
    return font;
}

void measureText(const std::string& text, TextStyle style, int size, int& width, int& height) {
    width = 0;
    height = 0;
    TTF_Font* font = fontFor(style, size);
    if (font != nullptr && TTF_SizeUTF8(font, text.c_str(), &width, &height) != 0) {
        width = 0;
        height = 0;
    }
}

static int powerOfTwo(int n) {
    int p = 1;
    while (p < n) {
        p *= 2;
    }
    return p;
}

// White words on transparent pixels: the colour comes from glColor when they are drawn.
static std::vector<unsigned char> whitePixels(SDL_Surface* surface, int textureWidth, int textureHeight) {
    std::vector<unsigned char> pixels((size_t)textureWidth * textureHeight * 4, 0);
    SDL_LockSurface(surface);
    for (int y = 0; y < surface->h; y++) {
        const Uint8* row = (const Uint8*)surface->pixels + y * surface->pitch;
        for (int x = 0; x < surface->w; x++) {
            Uint8 r, g, b, a;
            SDL_GetRGBA(((const Uint32*)row)[x], surface->format, &r, &g, &b, &a);
            unsigned char* out = &pixels[((size_t)y * textureWidth + x) * 4];
            out[0] = out[1] = out[2] = 255;
            out[3] = a;
        }
    }
    SDL_UnlockSurface(surface);
    return pixels;
}

static void forgetLeastRecent() {
    auto oldest = textures.begin();
    for (auto at = textures.begin(); at != textures.end(); ++at) {
        if (at->second.lastDrawn < oldest->second.lastDrawn) {
            oldest = at;
        }
    }
    glDeleteTextures(1, &oldest->second.name);
    textures.erase(oldest);
}

static const TextTexture* textureFor(const std::string& text, TextStyle style, int size) {
    TextKey key(FontKey(style, size), text);
    auto found = textures.find(key);
    if (found != textures.end()) {
        found->second.lastDrawn = ++drawCount;
        return &found->second;
    }
    TTF_Font* font = fontFor(style, size);
    const SDL_Color white = {255, 255, 255, 0};
    SDL_Surface* surface = font != nullptr ? TTF_RenderUTF8_Blended(font, text.c_str(), white) : nullptr;
    if (surface == nullptr) {
        return nullptr;
    }
    if (textures.size() >= MOST_TEXTURES) {
        forgetLeastRecent();
    }
    TextTexture made = {0, surface->w, surface->h, powerOfTwo(surface->w), powerOfTwo(surface->h), ++drawCount};
    std::vector<unsigned char> pixels = whitePixels(surface, made.textureWidth, made.textureHeight);
    SDL_FreeSurface(surface);
    glGenTextures(1, &made.name);
    glBindTexture(GL_TEXTURE_2D, made.name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, made.textureWidth, made.textureHeight, 0, GL_RGBA,
                 GL_UNSIGNED_BYTE, pixels.data());
    return &(textures[key] = made);
}

void beginWindowPixels() {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    int width = screen != NULL ? screen->w : 800;
    int height = screen != NULL ? screen->h : 600;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT | GL_VIEWPORT_BIT | GL_COLOR_BUFFER_BIT |
                 GL_TRANSFORM_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_FALSE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
}

void endWindowPixels() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();
}

void drawText(const std::string& text, TextStyle style, int size, int x, int y, const float rgba[4]) {
    const TextTexture* texture = text.empty() ? nullptr : textureFor(text, style, size);
    if (texture == nullptr) {
        return;
    }
    float s = (float)texture->width / texture->textureWidth;
    float t = (float)texture->height / texture->textureHeight;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture->name);
    glColor4fv(rgba);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2i(x, y);
    glTexCoord2f(0.0f, t);
    glVertex2i(x, y + texture->height);
    glTexCoord2f(s, t);
    glVertex2i(x + texture->width, y + texture->height);
    glTexCoord2f(s, 0.0f);
    glVertex2i(x + texture->width, y);
    glEnd();
    glDisable(GL_TEXTURE_2D);
}
