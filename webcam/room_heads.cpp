// A standing player's head from their outline against the empty room, for faces the cascade misses.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

// The head's width is measured this far below the outline's top (small-picture rows), under
// the crown, and the face with the hair above it is this many widths tall.
static const int CROWN = 5;
static const double HEAD_HEIGHT = 1.35;
// A region lying this much within a guessed head is the face moved, not a hand held beside it.
static const double HEAD_SHARE = 0.5;
// Unless this share of it covers the face's look.
static const double COVERED_SHARE = 0.2;
// The neck below a face box, in face widths and heights: a region lying this much within it
// and narrower than NARROW face widths is the neck uncovered by a sway of the head, a hand
// before it being wider.
static const double NECK_WIDTH = 0.6, NECK_LENGTH = 0.7, NECK_SHARE = 0.7, NARROW = 0.45;
// An outline narrower than this at the crown (small-picture pixels) is no head.
static const int MIN_HEAD = 8;

// The player's head in one half: the highest part that differs from the empty room, of a size
// a head could be (the neck, thin, may part it from the body).
static cv::Mat highest(const cv::Mat& difference, cv::Rect half) {
    cv::Mat labels, head;
    std::vector<Region> regions;
    int count = findRegions(difference(half), labels, regions);
    int best = 0;
    for (int i = 1; i < count; ++i) {
        bool big = regions[i].area >= MIN_HEAD * MIN_HEAD;
        if (big && (best == 0 || regions[i].box.y < regions[best].box.y)) {
            best = i;
        }
    }
    cv::compare(labels, best > 0 ? best : -1, head, cv::CMP_EQ);
    return head;
}

// The head's box on the full picture, empty when the outline has no head-sized top.
static cv::Rect headOf(const cv::Mat& body, cv::Rect half) {
    cv::Rect box = cv::boundingRect(body);
    int row = box.y + CROWN;
    if (box.empty() || row >= body.rows) {
        return cv::Rect();
    }
    cv::Rect crown = cv::boundingRect(body.row(row));
    if (crown.width < MIN_HEAD || crown.width > half.width * 2 / 3) {
        return cv::Rect();
    }
    int height = (int)(HEAD_HEIGHT * crown.width);
    return cv::Rect((half.x + crown.x) * SCALE, box.y * SCALE, crown.width * SCALE, height * SCALE);
}

void guessHeads(RoomFaces& faces, const RoomBackground& background, cv::Mat& emptyRoom, const cv::Mat& small,
                const cv::Mat& rgb) {
    if (background.emptyFrames == 0) {
        return;
    }
    if (emptyRoom.empty()) {
        background.model->getBackgroundImage(emptyRoom);
    }
    // Players stepping in move the exposure, most of all before a bright window: without
    // undoing it the whole room would differ, and the head guessed would be the room's top.
    cv::Mat player;
    differFromEmpty(small, emptyRoom, PLAYER_DIFFERENCE, player);
    cv::morphologyEx(player, player, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
    for (int index = 0; index < 2; ++index) {
        cv::Rect half(index == 0 ? SMALL_WIDTH / 2 : 0, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
        cv::Rect head = headOf(highest(player, half), half);
        if (!faces.seen[index] && !head.empty()) {
            rememberFace(faces, index, head & cv::Rect(0, 0, rgb.cols, rgb.rows), rgb, false);
            // The hair makes the box taller than the face; a hand is about as long as the head
            // is wide.
            faces.height[index] = head.width;
        }
    }
}

// The share of the blob's pixels within the full-picture box.
static double shareWithin(const cv::Rect& box, const cv::Mat& labels, const Blob& blob, int halfLeft) {
    cv::Rect small(box.x / SCALE, box.y / SCALE, box.width / SCALE, box.height / SCALE);
    cv::Rect inside = small & blob.box;
    if (inside.empty()) {
        return 0;
    }
    cv::Mat own;
    cv::compare(labels(inside - cv::Point(halfLeft, 0)), blob.label, own, cv::CMP_EQ);
    return (double)cv::countNonZero(own) / blob.area;
}

bool onGuessedHead(const RoomFaces& faces, int player, const cv::Mat& labels, const Blob& blob, int halfLeft) {
    const cv::Rect& head = faces.known[player];
    if (faces.seen[player] || head.empty()) {
        return false;
    }
    // A hand before the face hides what the face looked like.
    cv::Rect full = cv::Rect(blob.box.x * SCALE, blob.box.y * SCALE, blob.box.width * SCALE, blob.box.height * SCALE) &
                    cv::Rect(0, 0, faces.cover.cols, faces.cover.rows);
    if (!full.empty() && cv::countNonZero(faces.cover(full)) >= COVERED_SHARE * blob.area * SCALE * SCALE) {
        return false;
    }
    return shareWithin(head, labels, blob, halfLeft) >= HEAD_SHARE;
}

bool onNeck(const RoomFaces& faces, int player, const cv::Mat& labels, const Blob& blob, int halfLeft) {
    const cv::Rect& face = faces.known[player];
    if (face.empty() || blob.box.width * SCALE > NARROW * face.width) {
        return false;
    }
    int width = (int)(NECK_WIDTH * face.width);
    cv::Rect neck(face.x + (face.width - width) / 2, face.y + face.height, width, (int)(NECK_LENGTH * face.height));
    return shareWithin(neck, labels, blob, halfLeft) >= NECK_SHARE;
}
