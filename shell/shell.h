// The shell's own steps: the main loop, the view window's opening, closing and window procedure.
#ifndef VANTORIX_SHELL_H
#define VANTORIX_SHELL_H

struct ViewWindow;

// The main loop; returns 0 when the view window asks to quit.
int main2();
// Opens the view window and its drawing surface, and hands both to the webcam; ends the game
// with status 1 when it cannot.
void openWebcamView();
// Destroys the view window, if it was opened.
void closeWebcamView();
ViewWindow* CreationFenetre();
long WndProc(ViewWindow* hwnd, unsigned int message, unsigned int wParam, long lParam);

#endif
