// Where each player stands now against where they stood while learnt: players shift their
// weight and step aside in a fight, and what of them then covers the room (hair, a neck, a
// hanging arm) would otherwise be moving skin.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdlib>

// The head and shoulders, this many small-picture rows from the top of the player's outline, are
// what is looked for: a hand is raised beside them but covers little of them.
static const int STANCE_ROWS = 40;
// How far a player is looked for either way (small-picture pixels: a step of some 20 cm).
static const int STANCE_REACH = 24;
// Nearer than this (small-picture pixels) the player stands where they stood: the background
// model holds such a sway.
static const int STILL = 2;
// The player is taken to have stepped only where they look this much more alike there (normalised
// correlation) than where they stood: a hand raised beside the head, or grain, moves the best
// match a little without a step.
static const double CLEARER = 0.2;
// A pixel that differs from the players at rest, moved by the player's step, by no more than
// this (summed over red, green, blue) is the player, not a hand.
static const double STEPPED_DIFFERENCE = 36;

void learnStances(RoomState& room) {
    for (int player = 0; player < 2; ++player) {
        room.stanceBox[player] = cv::Rect();
    }
    if (room.standing.empty() || room.emptyRoom.empty()) {
        return;
    }
    cv::Mat body;
    differFromEmpty(room.standing, room.emptyRoom, PLAYER_DIFFERENCE, body);
    cv::morphologyEx(body, body, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
    for (int player = 0; player < 2; ++player) {
        cv::Rect half(player == 0 ? SMALL_WIDTH / 2 : 0, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
        // The player, not a speck of the room that the exposure's move left.
        cv::Mat labels;
        std::vector<Region> regions;
        findRegions(body(half), labels, regions);
        int largest = largestRegion(regions);
        cv::Rect box = largest > 0 ? regions[largest].box + half.tl() : cv::Rect();
        // The middle of the head and shoulders: stepping towards the picture's edge, the player's
        // far side may leave it.
        box = cv::Rect(box.x + box.width / 5, box.y, box.width * 3 / 5, std::min(box.height, STANCE_ROWS));
        if (box.width < 2 * STILL || box.height < 2 * STILL) {
            continue;
        }
        room.stanceBox[player] = box;
        cv::cvtColor(room.standing(box), room.stanceLook[player], cv::COLOR_RGB2GRAY);
    }
}

// How many small-picture columns the player stands right of where they stood (0 when unknown).
static int stepOf(const RoomState& room, const cv::Mat& grey, int player) {
    const cv::Rect& box = room.stanceBox[player];
    if (box.empty()) {
        return 0;
    }
    cv::Rect area = cv::Rect(box.x - STANCE_REACH, box.y, box.width + 2 * STANCE_REACH, box.height) &
                    cv::Rect(0, 0, grey.cols, grey.rows);
    if (area.width <= box.width) {
        return 0;
    }
    cv::Mat score;
    cv::matchTemplate(grey(area), room.stanceLook[player], score, cv::TM_CCOEFF_NORMED);
    cv::Point best;
    double most = 0;
    cv::minMaxLoc(score, nullptr, &most, nullptr, &best);
    double still = score.at<float>(0, box.x - area.x);
    if (most - still < CLEARER) {
        return 0;
    }
    return area.x + best.x - box.x;
}

void setAsideStances(RoomState& room) {
    if (room.standing.empty()) {
        return;
    }
    cv::Mat grey;
    // Play brought the frame to the players' exposure at rest (findMoving) before this.
    cv::cvtColor(room.exposed, grey, cv::COLOR_RGB2GRAY);
    for (int player = 0; player < 2; ++player) {
        int step = stepOf(room, grey, player);
        if (std::abs(step) < STILL) {
            continue;
        }
        cv::Mat moved, differs;
        cv::warpAffine(room.standing, moved, cv::Matx23d(1, 0, step, 0, 1, 0), room.standing.size(), cv::INTER_NEAREST,
                       cv::BORDER_REPLICATE);
        cv::Rect half(player == 0 ? SMALL_WIDTH / 2 : 0, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
        differFromEmpty(room.small(half), moved(half), STEPPED_DIFFERENCE, differs);
        cv::Mat moving = room.moving(half);
        cv::bitwise_and(moving, differs, moving);
    }
}
