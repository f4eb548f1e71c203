// The webcam worker loop and the overlay it writes beside the pictures in the view window.
#include "webcam/worker.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>

#include "platform/view_surface.h"
#include "game/codes.h"
#include "webcam/WebCam.h"

static const double PI = 3.14159265;
static const int CENTRE_X = 80;
static const int CENTRE_Y = 120;
static const float NEUTRAL_DISTANCE = 40;
static const int PAUSE_MS = 200;

// Each label is drawn first, then its value over the blank start of it.
static const char* const LABEL_X = "                         ---X";
static const char* const LABEL_Y = "                         ---Y";
static const char* const LABEL_POS = "                         ---pos";
static const char* const LABEL_ANGLE = "                         ---angle";
static const char* const LABEL_LIFE = "                         ---life";
static const char* const LABEL_VARX = "                         ---VarX";
static const char* const LABEL_VARY = "                         ---VarY";
static const char* const LABEL_RES = "                         ---res";

static WorkerLinks shared = {nullptr, nullptr, nullptr, nullptr, nullptr};

void linkWorker(const WorkerLinks& links) { shared = links; }

static CWebCam& cam() { return *shared.webcam; }

static int baryX(int player) { return player == 1 ? cam().baryX1 : cam().baryX2; }
static int baryY(int player) { return player == 1 ? cam().baryY1 : cam().baryY2; }

// Draws the label, then the number formatted into ten characters (nine shown) at the same spot.
static void drawNumberRow(int x, int y, const char* label, int value) {
    // Numbers are cut to their first nine characters, as a ten-byte buffer would hold.
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    text[9] = '\0';
    drawText(shared.surface, x, y, label);
    drawText(shared.surface, x, y, text);
}

float directionAngle(int bx, int by) {
    int dx = bx - CENTRE_X;
    int dy = by - CENTRE_Y;
    if (dx == 0) {
        return 0;
    }
    double q = (by - 120.0) / (bx - 80.0);
    double degrees = std::atan(q) * 180 / PI;
    if (dx > 0) {
        return (float)(degrees + 180);
    }
    if (dy > 0) {
        return (float)(degrees + 360);
    }
    return (float)degrees;
}

const char* directionWord(int bx, int by) {
    int dx = bx - CENTRE_X;
    int dy = by - CENTRE_Y;
    float distance = (float)std::sqrt((double)dx * dx + (double)dy * dy);
    if (distance < NEUTRAL_DISTANCE) {
        return "neutral";
    }
    float angle = directionAngle(bx, by);
    if (angle <= 45 || angle > 315) {
        return "RIGHT";
    }
    if (angle <= 135) {
        return "UP";
    }
    if (angle <= 225) {
        return "LEFT";
    }
    return "DOWN";
}

void displayValuePosition(int player, int x, int y) {
    drawNumberRow(x, y, LABEL_X, CENTRE_X - baryX(player));
    drawNumberRow(x, y + 20, LABEL_Y, CENTRE_Y - baryY(player));
}

void displayInterpPosition(int player, int x, int y) {
    int bx = baryX(player), by = baryY(player);
    drawText(shared.surface, x, y, LABEL_POS);
    drawText(shared.surface, x, y, directionWord(bx, by));
    drawNumberRow(x, y + 20, LABEL_ANGLE, (int)directionAngle(bx, by));
}

void displayLife(int player, int x, int y) {
    drawNumberRow(x, y, LABEL_LIFE, player == 1 ? shared.life1->load() : shared.life2->load());
}

void displayCirclePosition(int player, int left, int top) {
    drawRectangle(shared.surface, left, top, left + 160, top + 240);
    // Mirrored within the box, so the marker follows the hand in the mirrored picture beside it.
    drawText(shared.surface, left - baryX(player) + 160, top + baryY(player), "o");
}

void displayVariance(int player, int x, int y) {
    drawNumberRow(x, y, LABEL_VARX, player == 1 ? cam().varX1 : cam().varX2);
    drawNumberRow(x, y + 20, LABEL_VARY, player == 1 ? cam().varY1 : cam().varY2);
}

void displayRPS(int player, int x, int y) {
    int sign = player == 1 ? cam().rps1 : cam().rps2;
    drawText(shared.surface, x, y, LABEL_RES);
    drawText(shared.surface, x, y, sign == ROCK ? "ROCK" : sign == PAPER ? "PAPER" : "SCISS");
}

void displayResultsWebcam() {
    drawRectangle(shared.surface, 320, 0, 440, 240);
    drawRectangle(shared.surface, 760, 0, 880, 240);
    displayValuePosition(1, 330, 20);
    displayValuePosition(2, 770, 20);
    displayInterpPosition(1, 330, 60);
    displayInterpPosition(2, 770, 60);
    displayLife(1, 330, 120);
    displayLife(2, 770, 120);
    displayCirclePosition(1, 0, 0);
    displayCirclePosition(2, 1040, 0);
    displayVariance(1, 330, 160);
    displayVariance(2, 770, 160);
    displayRPS(1, 330, 200);
    displayRPS(2, 770, 200);
    flushViewSurface(shared.surface);
}

int thread_webcam(void* unused) {
    (void)unused;
    // Font, colour and transparent text are set once for the whole run; the rectangles are
    // always filled black.
    setTextFont(shared.surface, "Impact", 18);
    setTextColour(shared.surface, 22, 199, 35);
    while (*shared.stop != -1) {
        cam().ChargeCapture(0);
        cam().CalBiCouleur(0);
        cam().calculBarycentre(0);
        cam().calculVariance(0);
        cam().discriminateRPS();
        displayResultsWebcam();
        cam().AfficheImage(0);
        SDL_Delay(PAUSE_MS);
    }
    releaseTextFont(shared.surface);
    std::printf("Thread quitting\n");
    std::fflush(stdout);
    return 0;
}
