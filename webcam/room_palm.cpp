// Cutting a skin region to the hand: the palm found by the distance transform, the forearm cut off.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

// Below the palm's centre by this many palm radii lies the wrist: what is lower is forearm.
static const float WRIST = 1.3f;
// Fingers reach some four radii above the palm's centre; what is higher is not this hand.
static const float FINGER_REACH = 4.5f;
// A palm's widest disc is over a tenth of a hand's length across its radius; a sliver of cheek
// or neck uncovered by a head that moved is thinner.
static const float MIN_PALM = 0.07f;
// A sign is shown with the hand raised: a palm in the picture's bottom fifth hangs at the side.
static const int LOWEST_PALM = IMAGE_ROWS * 4 / 5;
// Fewer full-picture pixels than this are no hand (a hand at arm's length has well over 400).
static const int MIN_HAND_PIXELS = 150;

// Where the hand may reach beyond its region of the small picture, in hand lengths: fingers a
// pixel or two wide on the full picture vanish from the small one, and rise above the palm.
static const float REACH_UP = 0.6f, REACH_SIDE = 0.3f;

// The full-picture part where the hand is looked for: the region's box, widened by the reach.
static cv::Rect handArea(const Blob& blob, int player, int handLength) {
    cv::Rect half(player == 0 ? IMAGE_COLUMNS / 2 : 0, 0, IMAGE_COLUMNS / 2, IMAGE_ROWS);
    int up = (int)(REACH_UP * handLength), side = (int)(REACH_SIDE * handLength);
    cv::Rect box(blob.box.x * SCALE - side, blob.box.y * SCALE - up, blob.box.width * SCALE + 2 * side,
                 blob.box.height * SCALE + up + SCALE);
    // Whole small pixels, so that the small masks line up with it.
    box &= half;
    return cv::Rect(box.x / SCALE * SCALE, box.y / SCALE * SCALE, box.width / SCALE * SCALE, box.height / SCALE * SCALE);
}

// The connected part of the full-picture skin that overlaps the region most.
static void keepOverlapping(cv::Mat& mask, const cv::Mat& seed) {
    cv::Mat labels;
    int count = cv::connectedComponents(mask, labels, 8, CV_32S);
    std::vector<int> overlap(count, 0);
    for (int y = 0; y < labels.rows; ++y) {
        const int* label = labels.ptr<int>(y);
        const unsigned char* in = seed.ptr<unsigned char>(y);
        for (int x = 0; x < labels.cols; ++x) {
            overlap[label[x]] += in[x] != 0;
        }
    }
    int best = 0;
    for (int i = 1; i < count; ++i) {
        if (overlap[i] > overlap[best] || best == 0) {
            best = overlap[i] > 0 ? i : best;
        }
    }
    cv::compare(labels, best > 0 ? best : -1, mask, cv::CMP_EQ);
}

// The hand's pixels on the full picture: skin, moving on the small picture or beside it,
// not a face, joined to the region found on the small picture.
static cv::Mat fullMask(const RoomState& room, const cv::Mat& rgb, int player, const Blob& blob, cv::Rect& full) {
    full = handArea(blob, player, room.faces.height[player]);
    cv::Rect small(full.x / SCALE, full.y / SCALE, full.width / SCALE, full.height / SCALE);
    int halfLeft = player == 0 ? SMALL_WIDTH / 2 : 0;
    cv::Mat own, seed, near, region, hsv, mask;
    cv::compare(room.labels[player](small - cv::Point(halfLeft, 0)), blob.label, own, cv::CMP_EQ);
    cv::resize(own, seed, full.size(), 0, 0, cv::INTER_NEAREST);
    cv::dilate(room.moving(small), near, cv::Mat());
    cv::resize(near, region, full.size(), 0, 0, cv::INTER_NEAREST);
    cv::cvtColor(rgb(full), hsv, cv::COLOR_RGB2HSV);
    skinPixels(room.skin, player, hsv, mask);
    cv::bitwise_and(mask, region, mask);
    blankFaces(room.faces, mask, 1, full.tl());
    keepOverlapping(mask, seed);
    return mask;
}

// The palm: the widest disc within a hand's length of the region's top, since a sign is shown
// fingers up at the end of a raised arm, and an elbow or a bent arm below may be wider.
static double findPalm(const cv::Mat& mask, int handLength, cv::Point& centre) {
    // The grain of a dim picture leaves pinholes in a palm; closed, they no longer shrink it.
    cv::Mat closed, bordered, distance;
    cv::morphologyEx(mask, closed, cv::MORPH_CLOSE, cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(5, 5)));
    cv::copyMakeBorder(closed, bordered, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::distanceTransform(bordered, distance, cv::DIST_L2, cv::DIST_MASK_3);
    int top = cv::boundingRect(mask).y + 1;
    cv::Mat search = distance.rowRange(top, std::min(distance.rows, top + handLength));
    double radius = 0;
    cv::minMaxLoc(search, nullptr, &radius, nullptr, &centre);
    centre += cv::Point(-1, top - 1);
    return radius;
}

HandCut cutHand(const RoomState& room, const cv::Mat& rgb, int player, const Blob& blob) {
    int handLength = room.faces.height[player];
    HandCut cut;
    cv::Rect full;
    cv::Mat mask = fullMask(room, rgb, player, blob, full);
    // One connected part already: the one that overlaps the region most.
    if (cv::countNonZero(mask) < MIN_HAND_PIXELS) {
        return cut;
    }
    cv::Point centre;
    double radius = findPalm(mask, handLength, centre);
    if (radius < MIN_PALM * handLength || centre.y + full.y >= LOWEST_PALM) {
        return cut;
    }
    int wrist = centre.y + (int)(WRIST * radius) + 1;
    int top = centre.y - (int)(FINGER_REACH * radius);
    if (wrist < mask.rows) {
        mask.rowRange(wrist, mask.rows).setTo(0);
    }
    if (top > 0) {
        mask.rowRange(0, top).setTo(0);
    }
    if (keepLargest(mask) < MIN_HAND_PIXELS) {
        return cut;
    }
    cv::Rect box = cv::boundingRect(mask);
    cut.found = true;
    cut.box = box + full.tl();
    cut.mask = mask(box).clone();
    cut.palm = centre + full.tl();
    cut.palmRadius = (float)radius;
    return cut;
}
