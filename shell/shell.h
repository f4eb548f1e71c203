// The shell's own steps: the main loop, the view window's creation and its window procedure.
#ifndef VANTORIX_SHELL_H
#define VANTORIX_SHELL_H

struct ViewWindow;

int main2();
// While the game waits before its loop (for an opponent online): handles the view window's
// messages; its quit message ends the program as the loop's end would, with status 0.
void handleViewMessagesWhileWaiting();
// Opens the view window and its drawing surface, and hands both to the webcam.
void openWebcamView();
// One frame of the game, up to the swap: input, webcam measurements, update, drawing.
void playFrame();
ViewWindow* CreationFenetre();
long WndProc(ViewWindow* hwnd, unsigned int message, unsigned int wParam, long lParam);

#endif
