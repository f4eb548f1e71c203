// The webcam worker loop and the overlay it writes beside the pictures in the view window.
#include "webcam/worker.h"

#include <SDL/SDL.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "platform/view_surface.h"
#include "game/codes.h"
#include "webcam/WebCam.h"
#include "webcam/design_reading.h"
#include "webcam/worker_room.h"

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

static CWebCam& cam() { return *shared.webcam; }

// The design measurements as the camera holds them, as one reading.
static HandReading membersReading() {
    HandReading reading;
    reading.player1 = PlayerHand{true, cam().baryX1, cam().baryY1, cam().varX1, cam().varY1, cam().rps1, cam().nbPixels1};
    reading.player2 = PlayerHand{true, cam().baryX2, cam().baryY2, cam().varX2, cam().varY2, cam().rps2, cam().nbPixels2};
    return reading;
}

void linkWorker(const WorkerLinks& links) {
    shared = links;
    if (shared.readings == nullptr) {
        return;
    }
    shared.readings->publish(shared.way == HANDS_ROOM ? noHandsReading() : membersReading());
}

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

static void displayValuePosition(const PlayerHand& hand, int x, int y) {
    drawNumberRow(x, y, LABEL_X, CENTRE_X - hand.baryX);
    drawNumberRow(x, y + 20, LABEL_Y, CENTRE_Y - hand.baryY);
}

static void displayInterpPosition(const PlayerHand& hand, int x, int y) {
    drawText(shared.surface, x, y, LABEL_POS);
    drawText(shared.surface, x, y, directionWord(hand.baryX, hand.baryY));
    drawNumberRow(x, y + 20, LABEL_ANGLE, (int)directionAngle(hand.baryX, hand.baryY));
}

static void displayLife(int player, int x, int y) {
    drawNumberRow(x, y, LABEL_LIFE, player == 1 ? shared.life1->load() : shared.life2->load());
}

static void displayCirclePosition(const PlayerHand& hand, int left, int top) {
    drawRectangle(shared.surface, left, top, left + 160, top + 240);
    // Mirrored within the box, so the marker follows the hand in the mirrored picture beside it.
    drawText(shared.surface, left - hand.baryX + 160, top + hand.baryY, "o");
}

static void displayVariance(const PlayerHand& hand, int x, int y) {
    drawNumberRow(x, y, LABEL_VARX, hand.varX);
    drawNumberRow(x, y + 20, LABEL_VARY, hand.varY);
}

static void displayRPS(const PlayerHand& hand, int x, int y) {
    int sign = hand.sign;
    drawText(shared.surface, x, y, LABEL_RES);
    // The design way always reads a sign; the room way reads none while it finds no hand.
    drawText(shared.surface, x, y,
             sign == ROCK ? "ROCK" : sign == PAPER ? "PAPER" : sign == NO_SIGN ? "none" : "SCISS");
}

void displayReading(const HandReading& reading) {
    drawRectangle(shared.surface, 320, 0, 440, 240);
    drawRectangle(shared.surface, 760, 0, 880, 240);
    displayValuePosition(reading.player1, 330, 20);
    displayValuePosition(reading.player2, 770, 20);
    displayInterpPosition(reading.player1, 330, 60);
    displayInterpPosition(reading.player2, 770, 60);
    displayLife(1, 330, 120);
    displayLife(2, 770, 120);
    displayCirclePosition(reading.player1, 0, 0);
    displayCirclePosition(reading.player2, 1040, 0);
    displayVariance(reading.player1, 330, 160);
    displayVariance(reading.player2, 770, 160);
    displayRPS(reading.player1, 330, 200);
    displayRPS(reading.player2, 770, 200);
}

void displayResultsWebcam() {
    displayReading(membersReading());
    flushViewSurface(shared.surface);
}

// Analyses are counted from 1, so that a reading's frame tells which analysis it came from.
static void publish(HandReading reading, unsigned long frame) {
    reading.frame = frame;
    if (shared.readings != nullptr) {
        shared.readings->publish(reading);
    }
}

static void designPass(unsigned long frame) {
    cam().ChargeCapture(0);
    publish(readDesignWay(cam(), 0), frame);
    displayResultsWebcam();
    cam().AfficheImage(0);
}

int thread_webcam(void* unused) {
    (void)unused;
    // Font, colour and transparent text are set once for the whole run; the rectangles are
    // always filled black.
    setTextFont(shared.surface, "Impact", 18);
    setTextColour(shared.surface, 22, 199, 35);
    // The room way's face cascade is read here, so that the game's start does not wait for it.
    std::unique_ptr<RoomWay> room;
    if (shared.way == HANDS_ROOM) {
        room = openRoomWay(shared.faceModel, shared.handModel, shared.secondHandModel);
    }
    for (unsigned long frame = 1; *shared.stop != -1; ++frame) {
        bool learnAgain = shared.learnAgain != nullptr && shared.learnAgain->exchange(false);
        if (room) {
            if (learnAgain) {
                room->learnAgain();
            }
            publish(roomPass(*room, cam()), frame);
            drawRoomView(shared.surface, *room);
            displayReading(room->lastReading());
            flushViewSurface(shared.surface);
        } else {
            designPass(frame);
        }
        SDL_Delay(PAUSE_MS);
    }
    releaseTextFont(shared.surface);
    std::printf("Thread quitting\n");
    std::fflush(stdout);
    return 0;
}
