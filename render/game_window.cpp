// The game window's mode: its size, the switch to and from fullscreen, and the picture inside it.
#include "render/game_window.h"

#include <GL/gl.h>
#include <SDL/SDL.h>

#include <cstdio>
#include <cstdlib>

#include "render/Moteur3d.h"
#include "platform/game_end.h"

static const Uint32 BASE_FLAGS = SDL_HWSURFACE | SDL_OPENGL | SDL_ASYNCBLIT;
static const int BITS_PER_PIXEL = 32;

static WindowRequest request;
// The window's own size, kept while fullscreen so that leaving it gives the window back.
static int windowWidth = 800;
static int windowHeight = 600;
static int desktopWidth = 0;
static int desktopHeight = 0;
static bool fullscreen = false;
static void (*remakeHook)() = nullptr;
// A texture made just before the first change of mode: gone afterwards means a new GL context.
static GLuint witness = 0;

void requestGameWindow(const WindowRequest& wanted) { request = wanted; }

void onGlContextRenewed(void (*remake)()) { remakeHook = remake; }

bool gameWindowIsFullscreen() { return fullscreen; }

Letterbox currentPicture() {
    const SDL_Surface* screen = SDL_GetVideoSurface();
    if (screen == NULL) {
        return letterbox(800, 600);
    }
    return letterbox(screen->w, screen->h);
}

void applyPictureViewport() {
    Letterbox picture = currentPicture();
    glViewport(picture.x, picture.y, picture.width, picture.height);
    glScissor(picture.x, picture.y, picture.width, picture.height);
    const SDL_Surface* screen = SDL_GetVideoSurface();
    // A picture that fills its window needs no fence: the GL state stays as the design sets it.
    if (screen != NULL && (picture.width != screen->w || picture.height != screen->h)) {
        glEnable(GL_SCISSOR_TEST);
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}

void clearWindow() {
    GLboolean fenced = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (fenced) {
        glEnable(GL_SCISSOR_TEST);
    }
}

static SDL_Surface* setMode(bool full) {
    if (full) {
        return SDL_SetVideoMode(desktopWidth, desktopHeight, BITS_PER_PIXEL, BASE_FLAGS | SDL_FULLSCREEN);
    }
    return SDL_SetVideoMode(windowWidth, windowHeight, BITS_PER_PIXEL, BASE_FLAGS | SDL_RESIZABLE);
}

void openGameWindow() {
    SDL_Init(SDL_INIT_VIDEO);
    // Before the first mode is set, the video information holds the desktop's size.
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    desktopWidth = info != NULL && info->current_w > 0 ? info->current_w : request.width;
    desktopHeight = info != NULL && info->current_h > 0 ? info->current_h : request.height;
    windowWidth = request.width;
    windowHeight = request.height;
    fullscreen = request.fullscreen;
    if (setMode(fullscreen) == NULL) {
        std::fprintf(stderr, "Vantorix: cannot open the %d x %d OpenGL game window: %s\n",
                     fullscreen ? desktopWidth : windowWidth, fullscreen ? desktopHeight : windowHeight,
                     SDL_GetError());
        endGame(1);
    }
    SDL_WM_SetCaption("Vantorix", "");
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
}

static void makeWitness() {
    glGenTextures(1, &witness);
    glBindTexture(GL_TEXTURE_2D, witness);
    glBindTexture(GL_TEXTURE_2D, 0);
}

// SDL 1.2 on X11 keeps the context when only the size or fullscreen changes; another system (or
// a change of depth) may hand back a new one, and then everything GL held is made again.
static void changeMode(bool full) {
    if (witness == 0) {
        makeWitness();
    }
    if (setMode(full) == NULL) {
        std::fprintf(stderr, "Vantorix: cannot switch the game window to %s: %s\n",
                     full ? "fullscreen" : "a window", SDL_GetError());
        if (setMode(fullscreen) == NULL) {
            std::fprintf(stderr, "Vantorix: the game window is gone: %s\n", SDL_GetError());
            endGame(1);
        }
    } else {
        fullscreen = full;
    }
    SDL_ShowCursor(fullscreen ? SDL_DISABLE : SDL_ENABLE);
    if (!glIsTexture(witness)) {
        setProjection();
        setLightingAndBlending();
        makeWitness();
        if (remakeHook != nullptr) {
            remakeHook();
        }
    }
    applyPictureViewport();
}

void toggleFullscreen() { changeMode(!fullscreen); }

void resizeGameWindow(int width, int height) {
    if (fullscreen || width < 1 || height < 1) {
        return;
    }
    windowWidth = width;
    windowHeight = height;
    const SDL_Surface* screen = SDL_GetVideoSurface();
    // Leaving fullscreen makes the window system report the size it was just given.
    if (screen != NULL && screen->w == width && screen->h == height) {
        return;
    }
    changeMode(false);
}
