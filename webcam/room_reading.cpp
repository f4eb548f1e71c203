// One frame of play: the moving skin, each player's hand taken from it, measured and read.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <vector>

#include "game/codes.h"

// Skin regions smaller than this (small-picture pixels) are grain or a fingertip at the edge.
static const int MIN_BLOB = 20;
// A region larger than this many squared hand lengths (full picture) is a body, someone passing
// behind in a shirt of skin's colour, not a hand, even with its bare arm.
static const double MAX_BLOB = 2.5;
// When more than this share of the picture differs from the learnt room, the light has changed
// or the camera has moved: the room must be learnt again.
static const double CHANGED_SHARE = 0.5;
// How much (summed over red, green, blue) a pixel differs from the empty room to be someone's.
static const double EMPTY_DIFFERENCE = 36;
// Under this share of a half's pixels differing from the empty room, no one stands in it.
static const double SOMEONE_SHARE = 0.05;
// Gaps up to about this wide (small-picture pixels) in a player's outline are closed before its
// holes are looked for: a hand at the edge of the body leaves the outline open by a few pixels.
static const int OUTLINE_SEAL = 5;
// A hand before a striped or checked shirt differs from the player at rest only where it covers
// the stripes of another colour than its own: the moving pixels are closed up and down over this
// many rows (gaps of one or two small-picture pixels) before the skin gate keeps the hand's own
// (on the synthetic rooms, up to 4 points more hands found within 15 columns, most before stripes).
static const int MOVING_GAP = 3;
// A player's skin regions tried in turn for the hand while the reader is sure the last was none.
static const size_t TRIED_BLOBS = 3;

static PlayerHand noHand() {
    PlayerHand hand;
    hand.baryX = 80;
    hand.baryY = 120;
    hand.sign = NO_SIGN;
    return hand;
}

void skinOfBoth(const RoomState& room, cv::Mat& skin) {
    skin.create(room.hsv.size(), CV_8UC1);
    for (int player = 0; player < 2; ++player) {
        cv::Rect half(player == 0 ? SMALL_WIDTH / 2 : 0, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
        cv::Mat skinHalf = skin(half);
        skinPixels(room.skin, player, room.hsv(half), skinHalf);
    }
}

// Where someone stands: what differs from the empty room under this frame's exposure. The
// learnt standing pose cannot tell it: once a player leaves, where they stood differs from it.
static void findNotEmpty(RoomState& room) {
    if (room.emptyRoom.empty()) {
        room.notEmpty.release();
        return;
    }
    differFromEmpty(room.small, room.emptyRoom, EMPTY_DIFFERENCE, room.notEmpty);
}

// True when so little of the player's half differs from the empty room that no one stands there.
static bool nobodyIn(const RoomState& room, int halfLeft) {
    if (room.notEmpty.empty()) {
        return false;
    }
    cv::Mat half = room.notEmpty(cv::Rect(halfLeft, 0, SMALL_WIDTH / 2, SMALL_HEIGHT));
    return cv::countNonZero(half) < SOMEONE_SHARE * half.total();
}

// A body is opaque: where the room shows through a hole in a player's outline and the player
// looked otherwise there at rest, something of the room's colour is held in front of them, a
// pale hand before a wooden door or a light wall. The background model takes it for the room,
// so it joins the moving pixels here. A gap between a hanging arm and the body shows the room
// too, but it did so at rest as well. (On the two synthetic sets: up to 6 points more hands
// found within 15 columns, in the dim, photo-hand and backlit rooms.)
static void addHeldBeforeBody(RoomState& room) {
    if (room.notEmpty.empty() || room.standing.empty()) {
        return;
    }
    cv::Mat sealed, outside, changed;
    cv::morphologyEx(room.notEmpty, sealed, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(OUTLINE_SEAL, OUTLINE_SEAL)));
    // The players stand on the picture's bottom edge and cut the room into parts; a frame of
    // room around the picture joins them, so that one fill from its corner marks all the outside.
    cv::copyMakeBorder(sealed, outside, 1, 1, 1, 1, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::floodFill(outside, cv::Point(0, 0), cv::Scalar(128));
    cv::Mat held = outside(cv::Rect(1, 1, sealed.cols, sealed.rows)) != 128;
    held.setTo(0, sealed);
    differAtGain(room.small, room.standing, room.gain, EMPTY_DIFFERENCE, changed);
    cv::bitwise_and(held, changed, held);
    cv::bitwise_or(room.moving, held, room.moving);
}

// A webcam's exposure follows what it sees: a white shirt stepping closer or a cloud passing
// darkens or brightens the whole picture, and the room learnt at another exposure would differ
// from it everywhere, skin-coloured walls and shirts becoming hands. The picture is brought back
// to the exposure the players were learnt in first. (On the synthetic rooms, play 15 % darker
// than learning: hands within 15 columns 76 % without it, 91 % with it; hands down found 51 %
// against 12 %.)
static void findMoving(RoomState& room) {
    const cv::Mat& learnt = room.standing.empty() ? room.previousEmpty : room.standing;
    if (learnt.empty()) {
        movingPixels(room.background, room.small, room.moving);
        return;
    }
    room.gain = exposureGain(room.small, learnt);
    undoExposure(room.small, room.gain, room.exposed);
    movingPixels(room.background, room.exposed, room.moving);
}

// Moving skin with the faces set aside, cleaned of specks.
static void findCandidates(RoomState& room, const cv::Mat& rgb) {
    findMoving(room);
    findNotEmpty(room);
    setAsideStances(room);
    if (cv::countNonZero(room.moving) > CHANGED_SHARE * room.moving.total() && room.view.notice.empty()) {
        room.view.notice = "The light has changed: learn the room again";
    }
    addHeldBeforeBody(room);
    skinOfBoth(room, room.skinMask);
    cv::morphologyEx(room.moving, room.candidates, cv::MORPH_CLOSE,
                     cv::getStructuringElement(cv::MORPH_RECT, cv::Size(1, MOVING_GAP)));
    cv::bitwise_and(room.candidates, room.skinMask, room.candidates);
    cv::morphologyEx(room.candidates, room.candidates, cv::MORPH_OPEN,
                     cv::getStructuringElement(cv::MORPH_CROSS, cv::Size(3, 3)));
    followFaces(room.faces, rgb);
    findCovers(room.faces, rgb);
    blankFaces(room.faces, room.candidates, SCALE, cv::Point(0, 0));
}

static std::vector<Blob> blobsOf(RoomState& room, int player, int halfLeft) {
    cv::Mat half = room.candidates(cv::Rect(halfLeft, 0, SMALL_WIDTH / 2, SMALL_HEIGHT));
    std::vector<Region> regions;
    int count = findRegions(half, room.labels[player], regions);
    std::vector<Blob> blobs;
    double handLength = room.faces.height[player];
    for (int i = 1; i < count; ++i) {
        const Region& region = regions[i];
        cv::Point2f centre((float)region.centre.x + halfLeft, (float)region.centre.y);
        Blob blob{i, region.box + cv::Point(halfLeft, 0), centre, region.area};
        bool body = blob.area * SCALE * SCALE > MAX_BLOB * handLength * handLength;
        if (blob.area >= MIN_BLOB && !body && !onGuessedHead(room.faces, player, room.labels[player], blob, halfLeft) &&
            !onNeck(room.faces, player, room.labels[player], blob, halfLeft)) {
            blobs.push_back(blob);
        }
    }
    return blobs;
}

// Barycentre and spreads as the design defines them: integer means, spreads about them.
static PlayerHand measure(const HandCut& cut, int halfLeftFull) {
    cv::Moments m = cv::moments(cut.mask, true);
    PlayerHand hand;
    hand.found = true;
    hand.pixels = (int)m.m00;
    double meanX = m.m10 / m.m00, meanY = m.m01 / m.m00;
    int column = cut.box.x + (int)meanX, row = cut.box.y + (int)meanY;
    double offX = meanX - (column - cut.box.x), offY = meanY - (row - cut.box.y);
    hand.baryX = column - halfLeftFull;
    hand.baryY = row;
    hand.varX = (int)((m.mu20 + m.m00 * offX * offX) / m.m00);
    hand.varY = (int)((m.mu02 + m.m00 * offY * offY) / m.m00);
    return hand;
}

static int readSign(const RoomState& room, const HandCut& cut, const cv::Mat& rgb) {
    HandPatch patch;
    patch.rgb = rgb.data;
    patch.moving = room.moving.data;
    patch.box = ImageBox{cut.box.x, cut.box.y, cut.box.x + cut.box.width, cut.box.y + cut.box.height};
    patch.mask.assign(cut.mask.datastart, cut.mask.dataend);
    patch.palmX = cut.palm.x;
    patch.palmY = cut.palm.y;
    patch.palmRadius = cut.palmRadius;
    return room.reader.read(patch);
}

// player: 0 for player 1 (right half of the picture), 1 for player 2.
static PlayerHand findHand(RoomState& room, int player, const cv::Mat& rgb) {
    int halfLeft = player == 0 ? SMALL_WIDTH / 2 : 0;
    std::vector<Blob> blobs;
    if (!nobodyIn(room, halfLeft)) {
        blobs = blobsOf(room, player, halfLeft);
    }
    HandTrack& track = room.tracks[player];
    HandCut cut;
    int sign = NO_SIGN;
    std::vector<int> order = rankBlobs(track, blobs);
    for (size_t i = 0; i < order.size() && i < TRIED_BLOBS; ++i) {
        HandCut tried = cutHand(room, rgb, player, blobs[order[i]]);
        // Past a region not cut to a hand lie the hands hanging at the players' sides, which
        // would walk the robots (tried: on the synthetic rooms, hands down found up to 14
        // points more often).
        if (!tried.found) {
            break;
        }
        int read = readSign(room, tried, rgb);
        if (read != NOT_A_HAND) {
            cut = tried;
            sign = read;
            break;
        }
        // The first region cut stays the hand, with no sign, when every one is refused.
        if (!cut.found) {
            cut = tried;
        }
    }
    followHand(track, cut.found, cv::Point2f((float)cut.palm.x, (float)cut.palm.y));
    if (!cut.found) {
        return noHand();
    }
    PlayerHand hand = measure(cut, halfLeft * SCALE);
    hand.sign = sign;
    room.view.hands[player] = ImageBox{cut.box.x, cut.box.y, cut.box.x + cut.box.width, cut.box.y + cut.box.height};
    room.view.handFound[player] = true;
    return hand;
}

static void showMask(RoomState& room) {
    cv::Mat full(IMAGE_ROWS, IMAGE_COLUMNS, CV_8UC1, room.view.mask.data());
    cv::resize(room.candidates, full, full.size(), 0, 0, cv::INTER_NEAREST);
    faceList(room.faces, room.view.faces);
}

HandReading readRoom(RoomState& room, const cv::Mat& rgb) {
    if (room.view.stage != ROOM_PLAYING) {
        settleSkin(room.skin);
        learnStances(room);
        room.view.stage = ROOM_PLAYING;
    }
    prepareFrame(room, rgb);
    findCandidates(room, rgb);
    HandReading reading;
    reading.player1 = findHand(room, 0, rgb);
    reading.player2 = findHand(room, 1, rgb);
    reading.frame = ++room.frames;
    showMask(room);
    return reading;
}
