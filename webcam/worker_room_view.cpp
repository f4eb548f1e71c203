// What the view window shows of the room way: each half's learnt mask, boxes and joints, the learning steps.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "platform/view_surface.h"
#include "webcam/WebCam.h"
#include "webcam/worker_room.h"

static const int HALF_WIDTH = IMAGE_WIDTH / 2;
// Player 1's slot (index 0) and player 2's: where the mirrored half shows, and the image
// column where that half begins.
static const int SLOT_X[2] = {160, 880};
static const int HALF_START[2] = {HALF_WIDTH, 0};
// The strip below the pictures: the words, the progress bar and the notice.
static const int STRIP_TOP = IMAGE_HEIGHT;
static const int STRIP_BOTTOM = 272;
static const int WORDS_X = 10;
static const int BAR_LEFT = 420;
static const int BAR_RIGHT = 620;
static const int NOTICE_X = 640;

static const ViewColour FACE_COLOUR = {255, 220, 0};
static const ViewColour HAND_COLOUR[2] = {{255, 60, 60}, {60, 150, 255}};
// The joints the hand model sees, bright on the mask's white and on the dimmed room alike.
static const ViewColour JOINT_COLOUR = {0, 255, 200};
static const ViewColour BAR_COLOUR = {22, 199, 35};
static const ViewColour NOTICE_COLOUR = {255, 150, 40};
static const ViewColour WORDS_COLOUR = {22, 199, 35};

// The hand's bones, joint to joint: the thumb and each finger from the wrist or the palm's
// knuckles, and the knuckles joined across the palm.
static const int BONES[][2] = {
    {WRIST, THUMB_CMC},         {THUMB_CMC, THUMB_MCP},   {THUMB_MCP, THUMB_IP},   {THUMB_IP, THUMB_TIP},
    {WRIST, INDEX_MCP},         {INDEX_MCP, INDEX_PIP},   {INDEX_PIP, INDEX_DIP},  {INDEX_DIP, INDEX_TIP},
    {MIDDLE_MCP, MIDDLE_PIP},   {MIDDLE_PIP, MIDDLE_DIP}, {MIDDLE_DIP, MIDDLE_TIP}, {RING_MCP, RING_PIP},
    {RING_PIP, RING_DIP},       {RING_DIP, RING_TIP},     {WRIST, PINKY_MCP},      {PINKY_MCP, PINKY_PIP},
    {PINKY_PIP, PINKY_DIP},     {PINKY_DIP, PINKY_TIP},   {INDEX_MCP, MIDDLE_MCP}, {MIDDLE_MCP, RING_MCP},
    {RING_MCP, PINKY_MCP}};

// One image pixel of the mask's picture, mirrored and bottom-up as it is, blue green red.
static void plot(std::vector<unsigned char>& block, int x, int y, const ViewColour& colour) {
    if (x < 0 || x >= IMAGE_WIDTH || y < 0 || y >= IMAGE_HEIGHT) {
        return;
    }
    unsigned char* to = &block[((size_t)(IMAGE_HEIGHT - 1 - y) * IMAGE_WIDTH + (IMAGE_WIDTH - 1 - x)) * 4];
    to[0] = (unsigned char)colour.blue;
    to[1] = (unsigned char)colour.green;
    to[2] = (unsigned char)colour.red;
}

// False for points far outside the picture, or not numbers, which only a damaged model gives:
// they would be drawn along lines without end.
static bool nearThePicture(const HandLandmarks& hand) {
    for (int point = 0; point < HAND_POINTS; ++point) {
        bool near = hand.x[point] > -IMAGE_WIDTH && hand.x[point] < 2 * IMAGE_WIDTH && hand.y[point] > -IMAGE_HEIGHT &&
                    hand.y[point] < 2 * IMAGE_HEIGHT;
        if (!near) {
            return false;
        }
    }
    return true;
}

// Each player's hand as the model last saw it, while it follows one where the hand is found: a
// player sees whether the model takes the hand for one and which fingers it finds stretched.
static void drawJoints(std::vector<unsigned char>& block, const RoomWay& way) {
    const RoomView& view = way.hands.view();
    for (int player = 0; player < 2; ++player) {
        if (!view.handFound[player] || !way.landmarks.following(player)) {
            continue;
        }
        const HandLandmarks& hand = way.landmarks.lastLandmarks(player);
        if (!nearThePicture(hand)) {
            continue;
        }
        for (const int* bone : BONES) {
            float dx = hand.x[bone[1]] - hand.x[bone[0]], dy = hand.y[bone[1]] - hand.y[bone[0]];
            int steps = (int)std::max(std::abs(dx), std::abs(dy)) + 1;
            for (int i = 0; i <= steps; ++i) {
                float along = (float)i / steps;
                plot(block, (int)std::lround(hand.x[bone[0]] + along * dx), (int)std::lround(hand.y[bone[0]] + along * dy),
                     JOINT_COLOUR);
            }
        }
        for (int point = 0; point < HAND_POINTS; ++point) {
            int x = (int)std::lround(hand.x[point]), y = (int)std::lround(hand.y[point]);
            for (int d = 0; d < 9; ++d) {
                plot(block, x + d % 3 - 1, y + d / 3 - 1, JOINT_COLOUR);
            }
        }
    }
}

// Mirrored and bottom-up as the design way's mask: the mask white over the camera's picture
// dimmed to a quarter, so that a player sees where in the room the white lies.
static void drawMask(ViewSurface* surface, const RoomWay& way) {
    const std::vector<unsigned char>& mask = way.hands.view().mask;
    bool masked = mask.size() == (size_t)IMAGE_WIDTH * IMAGE_HEIGHT;
    std::vector<unsigned char> block((size_t)IMAGE_WIDTH * IMAGE_HEIGHT * 4, 0);
    for (int row = 0; row < IMAGE_HEIGHT; ++row) {
        unsigned char* to = &block[(size_t)(IMAGE_HEIGHT - 1 - row) * IMAGE_WIDTH * 4];
        for (int j = 0; j < IMAGE_WIDTH; ++j, to += 4) {
            size_t at = (size_t)row * IMAGE_WIDTH + (IMAGE_WIDTH - 1 - j);
            bool white = masked && mask[at] != 0;
            const unsigned char* rgb = &way.rgb[at * 3];
            to[0] = white ? 255 : rgb[2] / 4;
            to[1] = white ? 255 : rgb[1] / 4;
            to[2] = white ? 255 : rgb[0] / 4;
        }
    }
    drawJoints(block, way);
    BottomUpPicture picture = {IMAGE_WIDTH, IMAGE_HEIGHT, block.data()};
    drawPicture(surface, SLOT_X[0], 0, HALF_WIDTH, IMAGE_HEIGHT, picture, 0, 0);
    drawPicture(surface, SLOT_X[1], 0, HALF_WIDTH, IMAGE_HEIGHT, picture, HALF_WIDTH, 0);
}

// An image box mirrored into a player's slot, cut at the slot's edges.
static void drawBoxInSlot(ViewSurface* surface, const ImageBox& box, int slot, const ViewColour& colour) {
    int mirror = SLOT_X[slot] + HALF_START[slot] + HALF_WIDTH;
    int left = std::max(mirror - box.right, SLOT_X[slot]);
    int right = std::min(mirror - box.left, SLOT_X[slot] + HALF_WIDTH);
    int top = std::max(box.top, 0);
    int bottom = std::min(box.bottom, IMAGE_HEIGHT);
    if (right > left && bottom > top) {
        drawOutline(surface, left, top, right, bottom, colour, 2);
    }
}

static void drawStrip(ViewSurface* surface, const LearningMoment& moment, const std::string& notice) {
    drawRectangle(surface, 0, STRIP_TOP, 1200, STRIP_BOTTOM);
    drawText(surface, WORDS_X, STRIP_TOP + 7, moment.words);
    if (moment.step != PLAY) {
        drawOutline(surface, BAR_LEFT, STRIP_TOP + 8, BAR_RIGHT, STRIP_BOTTOM - 6, BAR_COLOUR, 1);
        int filled = (int)((BAR_RIGHT - BAR_LEFT - 4) * moment.progress);
        fillColour(surface, BAR_LEFT + 2, STRIP_TOP + 10, BAR_LEFT + 2 + filled, STRIP_BOTTOM - 8, BAR_COLOUR);
    }
    if (!notice.empty()) {
        setTextColour(surface, NOTICE_COLOUR.red, NOTICE_COLOUR.green, NOTICE_COLOUR.blue);
        drawText(surface, NOTICE_X, STRIP_TOP + 7, notice.c_str());
        setTextColour(surface, WORDS_COLOUR.red, WORDS_COLOUR.green, WORDS_COLOUR.blue);
    }
}

void drawRoomView(ViewSurface* surface, const RoomWay& way) {
    const RoomView& view = way.hands.view();
    drawMask(surface, way);
    for (int slot = 0; slot < 2; ++slot) {
        for (const ImageBox& face : view.faces) {
            drawBoxInSlot(surface, face, slot, FACE_COLOUR);
        }
        if (view.handFound[slot]) {
            drawBoxInSlot(surface, view.hands[slot], slot, HAND_COLOUR[slot]);
        }
    }
    drawStrip(surface, way.moment, view.notice);
}
