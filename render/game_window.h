// The game window's mode: its size, the switch to and from fullscreen, and the picture inside it.
#ifndef VANTORIX_GAME_WINDOW_H
#define VANTORIX_GAME_WINDOW_H

#include "render/letterbox.h"

// How the window opens: the window's size, and whether play starts in fullscreen.
struct WindowRequest {
    int width = 800;
    int height = 600;
    bool fullscreen = false;
};

// Set before the engine opens the window; without it the window is 800 x 600.
void requestGameWindow(const WindowRequest& request);

// Opens the game window as requested, captioned "Vantorix"; ends the process with status 1 when
// no OpenGL window can be had.
void openGameWindow();

// F11: from the window to fullscreen at the desktop's size and back to the window as it was.
void toggleFullscreen();
// The player resized the window: the picture follows, letterboxed. Ignored in fullscreen.
void resizeGameWindow(int width, int height);
bool gameWindowIsFullscreen();

// Where the picture sits in the window as it is now (800 x 600 before the window opens).
Letterbox currentPicture();
// Points the GL viewport at the picture, and fences drawing into it: a star's point or a spark's
// line near the picture's edge would otherwise spill over into the bars.
void applyPictureViewport();
// Clears the whole window, bars included, to black, and leaves drawing fenced into the picture.
void clearWindow();

// A change of mode that left the GL context new (the textures gone) runs this after the engine
// has set its own state again: whoever made textures and display lists makes them again.
void onGlContextRenewed(void (*remake)());

#endif
