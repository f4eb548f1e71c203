// The room finder's life: learning the empty room, then the players at rest, then reading hands.
#include "webcam/room_hands.h"

#include <opencv2/imgproc.hpp>

#include "webcam/room_internal.h"

struct RoomHands::State {
    RoomState room;
};

// Faces are looked for on every this many learning frames: a whole-picture search costs a few
// milliseconds, which learning can spare now and then.
static const int LEARNING_FACE_PERIOD = 2;
// While learning players, a half where more than this share of pixels differs from the empty
// room holds someone, face or no face.
static const double PRESENT_SHARE = 0.03;
// Two frames of the still room differing by this much on average (0-255, a channel) come from a
// camera whose gain is up in a dim room: its grain is smoothed away before hands are looked for.
static const double GRAINY = 3;
// From half as much again the camera's gain is at its highest: hands are still found, but the
// hand model reads about half their signs (on the synthetic rooms the dim ones' frames differ by
// 6, a warm lamp's by 3), so the players are told that more light would help.
static const double DIM = 4.5;
static const char* const DIM_ROOM = "The room is dim: signs are read better with more light";
// Between two frames of the empty room, more than this share of pixels changing by more than
// this (summed over red, green and blue) is someone moving in it.
static const double MOVED_SHARE = 0.005;
static const double MOVED_DIFFERENCE = 60;
static const char* const SOMEONE_THERE = "Someone is still in the picture: the room must be learnt empty";

static cv::Mat wrap(const unsigned char* rgb) {
    return cv::Mat(IMAGE_ROWS, IMAGE_COLUMNS, CV_8UC3, const_cast<unsigned char*>(rgb));
}

RoomHands::RoomHands(const std::string& faceModel) : state(new State) {
    // The finder runs in the webcam worker beside the renderer: OpenCV's own thread pool would
    // take the other core from it for a few hundred microseconds' gain.
    cv::setNumThreads(1);
    loadFaces(state->room.faces, faceModel);
    state->room.reader = shapeSignReader();
    learnAgain();
}

RoomHands::~RoomHands() = default;

const std::string& RoomHands::error() const { return state->room.faces.error; }

void RoomHands::setSignReader(const SignReader& reader) { state->room.reader = reader; }

void RoomHands::learnAgain() {
    RoomState& room = state->room;
    resetBackground(room.background);
    resetSkin(room.skin);
    room.emptyRoom.release();
    room.standingSum.release();
    room.standing.release();
    room.grain = 0;
    forgetFaces(room.faces);
    room.tracks[0] = room.tracks[1] = HandTrack();
    room.seen[0] = room.seen[1] = false;
    room.view = RoomView();
    room.view.mask.assign(IMAGE_COLUMNS * IMAGE_ROWS, 0);
}

void prepareFrame(RoomState& room, const cv::Mat& rgb) {
    cv::resize(rgb, room.small, cv::Size(SMALL_WIDTH, SMALL_HEIGHT), 0, 0, cv::INTER_AREA);
    // A camera's heavy grain in a dim room would speckle both the moving and the skin pixels;
    // the small picture only finds where hands are, so it may lose a little sharpness then.
    if (room.grain >= GRAINY) {
        cv::GaussianBlur(room.small, room.small, cv::Size(3, 3), 0);
    }
    cv::cvtColor(room.small, room.hsv, cv::COLOR_RGB2HSV);
    room.view.notice = lightNotice(room.small, room.view.stage == ROOM_LEARNING_EMPTY);
    room.view.handFound[0] = room.view.handFound[1] = false;
}

// What differs between two frames of the still room: the grain, from the first two, and
// someone moving, from any two.
static void compareEmpty(RoomState& room) {
    if (room.background.emptyFrames > 0) {
        cv::Mat difference, summed, moved;
        cv::absdiff(room.small, room.previousEmpty, difference);
        if (room.background.emptyFrames == 1) {
            cv::Scalar grain = cv::mean(difference);
            room.grain = (grain[0] + grain[1] + grain[2]) / 3;
        }
        cv::transform(difference, summed, cv::Matx13f(1, 1, 1));
        cv::compare(summed, MOVED_DIFFERENCE, moved, cv::CMP_GT);
        if (cv::countNonZero(moved) > MOVED_SHARE * moved.total() && room.view.notice.empty()) {
            room.view.notice = SOMEONE_THERE;
        }
    }
    room.small.copyTo(room.previousEmpty);
}

void RoomHands::learnEmptyRoom(const unsigned char* rgb) {
    RoomState& room = state->room;
    cv::Mat frame = wrap(rgb);
    room.view.stage = ROOM_LEARNING_EMPTY;
    prepareFrame(room, frame);
    compareEmpty(room);
    learnEmpty(room.background, room.small);
    if ((room.background.emptyFrames - 1) % LEARNING_FACE_PERIOD == 0) {
        std::vector<cv::Rect> faces = findAllFaces(room.faces, frame);
        forgetFaces(room.faces);
        if (!faces.empty() && room.view.notice.empty()) {
            room.view.notice = SOMEONE_THERE;
        }
    }
}

// The middle of each face found: cheek and forehead, without hair, the eyes' shadow or the room.
static void sampleFaces(RoomState& room, const std::vector<cv::Rect>& faces) {
    for (const cv::Rect& face : faces) {
        cv::Rect centre(face.x + face.width / 4, face.y + face.height / 4, face.width / 2, face.height / 2);
        cv::Rect small(centre.x / SCALE, centre.y / SCALE, centre.width / SCALE, centre.height / SCALE);
        cv::Mat sampleMask = cv::Mat::zeros(room.hsv.size(), CV_8UC1);
        sampleMask(small & cv::Rect(0, 0, SMALL_WIDTH, SMALL_HEIGHT)).setTo(255);
        sampleSkin(room.skin, playerOfFace(face), room.hsv, sampleMask);
    }
    settleSkin(room.skin);
}

static void notePresence(RoomState& room, const std::vector<cv::Rect>& faces) {
    for (const cv::Rect& face : faces) {
        room.seen[playerOfFace(face)] = true;
    }
    for (int player = 0; player < 2; ++player) {
        cv::Rect half(player == 0 ? SMALL_WIDTH / 2 : 0, 0, SMALL_WIDTH / 2, SMALL_HEIGHT);
        if (cv::countNonZero(room.moving(half)) > PRESENT_SHARE * half.area()) {
            room.seen[player] = true;
        }
    }
}

void RoomHands::learnPlayers(const unsigned char* rgb) {
    RoomState& room = state->room;
    cv::Mat frame = wrap(rgb);
    room.view.stage = ROOM_LEARNING_PLAYERS;
    prepareFrame(room, frame);
    bool fresh = room.background.emptyFrames + room.background.standFrames == 0;
    learnStanding(room.background, room.small, room.moving);
    if (room.standingSum.empty()) {
        room.standingSum = cv::Mat::zeros(room.small.size(), CV_32FC3);
    }
    cv::accumulateWeighted(room.small, room.standingSum, 1.0 / room.background.standFrames);
    room.standingSum.convertTo(room.standing, CV_8UC3);
    if (fresh) {
        room.moving.setTo(0);
    }
    std::vector<cv::Rect> faces;
    if ((room.background.standFrames - 1) % LEARNING_FACE_PERIOD == 0) {
        faces = findAllFaces(room.faces, frame);
        sampleFaces(room, faces);
    }
    notePresence(room, faces);
    guessHeads(room.faces, room.background, room.emptyRoom, room.small, frame);

    if (room.view.notice.empty() && room.background.standFrames >= 3) {
        if (!room.seen[0] && !room.seen[1]) {
            room.view.notice = "Nobody is seen: stand in the picture, hands down";
        } else if (!room.seen[0] || !room.seen[1]) {
            room.view.notice = room.seen[0] ? "Player 2 is not seen" : "Player 1 is not seen";
        }
    }
    faceList(room.faces, room.view.faces);
}

HandReading RoomHands::read(const unsigned char* rgb) {
    RoomState& room = state->room;
    HandReading reading = readRoom(room, wrap(rgb));
    // The last of the notices: the others ask for something without which no hand is read.
    if (room.grain >= DIM && room.view.notice.empty()) {
        room.view.notice = DIM_ROOM;
    }
    return reading;
}

const RoomView& RoomHands::view() const { return state->room.view; }
