// Words in the game window: DejaVu Sans through SDL_ttf, each string a GL texture kept for reuse.
#ifndef VANTORIX_TEXT_H
#define VANTORIX_TEXT_H

#include <string>

enum TextStyle { TEXT_REGULAR, TEXT_BOLD };

// Opens the fonts (fonts-dejavu-core's DejaVu Sans and DejaVu Sans Bold). False, with one line in
// error naming the font file and the package, when either cannot be opened.
bool openTextFonts(std::string& error);
// Closes the fonts and deletes the textures.
void closeTextFonts();

// The width and height in pixels that text takes at a size (the font's em, in pixels). Sizes
// are the callers' share of the picture's height (render/game_window.h's currentPicture), so
// that words keep their place in the picture at any window size and in fullscreen.
void measureText(const std::string& text, TextStyle style, int size, int& width, int& height);

// Drawing in window pixels, x to the right and y downwards from the window's top-left corner (as
// SDL reports the mouse), over whatever the window holds: no depth, no lighting, blended. Every
// drawText comes between the two; the GL state is as before afterwards.
void beginWindowPixels();
void endWindowPixels();

// Text with its top-left corner at (x, y), in colour rgba (0 to 1; a for its opacity).
void drawText(const std::string& text, TextStyle style, int size, int x, int y, const float rgba[4]);

// Drops every text texture without deleting it: after the GL context was made anew the old
// texture names mean nothing. The words are made again as they are next drawn.
void forgetTextTextures();

#endif
