// The webcam worker loop and its diagnostic overlay in the view window.
#ifndef VANTORIX_WEBCAM_WORKER_H
#define VANTORIX_WEBCAM_WORKER_H

// Grabs, analyses and shows a frame about five times a second until thread_signal is -1.
int thread_webcam(void* unused);

void displayResultsWebcam();
void displayValuePosition(int player, int x, int y);
void displayInterpPosition(int player, int x, int y);
void displayLife(int player, int x, int y);
void displayCirclePosition(int player, int left, int top);
void displayVariance(int player, int x, int y);
void displayRPS(int player, int x, int y);

// Direction of the hand from the centre (80, 120) of its half, in degrees within [0, 360):
// 0 right, 90 up, 180 left, 270 down as seen in the mirrored picture.
float directionAngle(int baryX, int baryY);
// "neutral" near the centre, else "RIGHT", "UP", "LEFT" or "DOWN" after directionAngle.
const char* directionWord(int baryX, int baryY);

#endif
