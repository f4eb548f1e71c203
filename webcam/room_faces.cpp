// The players' faces: found whole while learning, then followed in small regions a slice at a time.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

static const int MIN_FACE = 24;
// A face is looked for again every this many frames, one player at a time.
static const unsigned long FACE_PERIOD = 3;
// A half without a known face is searched whole only on one visit in this many: it costs some
// two milliseconds, where the region around a known face costs a fifth of one.
static const unsigned long HALF_SEARCH_VISITS = 4;
// A face not seen again on this many visits is forgotten.
static const int FACE_MISSES = 4;

void loadFaces(RoomFaces& faces, const std::string& model) {
    faces.loaded = faces.cascade.load(model);
    faces.error = faces.loaded ? "" : "cannot read the face model " + model;
    forgetFaces(faces);
}

void forgetFaces(RoomFaces& faces) {
    faces.known[0] = faces.known[1] = cv::Rect();
    faces.misses[0] = faces.misses[1] = 0;
    faces.tick = 0;
}

static std::vector<cv::Rect> detect(RoomFaces& faces, const cv::Mat& rgb, cv::Rect region, int minSide,
                                    int maxSide) {
    std::vector<cv::Rect> found;
    if (!faces.loaded || region.width < minSide || region.height < minSide) {
        return found;
    }
    cv::Mat grey;
    cv::cvtColor(rgb(region), grey, cv::COLOR_RGB2GRAY);
    cv::equalizeHist(grey, grey);
    faces.cascade.detectMultiScale(grey, found, 1.15, 3, 0, cv::Size(minSide, minSide),
                                   cv::Size(maxSide, maxSide));
    for (cv::Rect& face : found) {
        face += region.tl();
    }
    return found;
}

static int playerOf(const cv::Rect& face) { return face.x + face.width / 2 >= SMALL_WIDTH * SCALE / 2 ? 0 : 1; }

std::vector<cv::Rect> findAllFaces(RoomFaces& faces, const cv::Mat& rgb) {
    std::vector<cv::Rect> found = detect(faces, rgb, cv::Rect(0, 0, rgb.cols, rgb.rows), MIN_FACE, rgb.rows);
    for (const cv::Rect& face : found) {
        int player = playerOf(face);
        if (face.area() > faces.known[player].area()) {
            faces.known[player] = face;
            faces.misses[player] = 0;
        }
    }
    return found;
}

static void lookAgain(RoomFaces& faces, const cv::Mat& rgb, int player, unsigned long visit) {
    cv::Rect known = faces.known[player];
    cv::Rect region, whole(0, 0, rgb.cols, rgb.rows);
    int minSide = MIN_FACE, maxSide = rgb.rows;
    if (!known.empty()) {
        int grow = known.width / 2;
        region = cv::Rect(known.x - grow, known.y - grow, known.width + 2 * grow, known.height + 2 * grow) & whole;
        minSide = std::max(MIN_FACE, known.width * 3 / 4);
        maxSide = known.width * 3 / 2;
    } else if (visit % HALF_SEARCH_VISITS == 0) {
        region = cv::Rect(player == 0 ? rgb.cols / 2 : 0, 0, rgb.cols / 2, rgb.rows);
    } else {
        return;
    }
    std::vector<cv::Rect> found = detect(faces, rgb, region, minSide, maxSide);
    cv::Rect best;
    for (const cv::Rect& face : found) {
        if (playerOf(face) == player && face.area() > best.area()) {
            best = face;
        }
    }
    if (!best.empty()) {
        faces.known[player] = best;
        faces.misses[player] = 0;
    } else if (!known.empty() && ++faces.misses[player] >= FACE_MISSES) {
        faces.known[player] = cv::Rect();
        faces.misses[player] = 0;
    }
}

void followFaces(RoomFaces& faces, const cv::Mat& rgb) {
    unsigned long tick = faces.tick++;
    if (tick % FACE_PERIOD != 0) {
        return;
    }
    unsigned long visit = tick / FACE_PERIOD;
    lookAgain(faces, rgb, (int)(visit % 2), visit / 2);
}

void blankFaces(const RoomFaces& faces, cv::Mat& smallMask) {
    for (const cv::Rect& face : faces.known) {
        if (face.empty()) {
            continue;
        }
        // The chin and the neck under the box are skin too.
        int side = face.width / 10;
        cv::Rect grown(face.x - side, face.y, face.width + 2 * side, face.height * 3 / 2);
        cv::Rect small(grown.x / SCALE, grown.y / SCALE, grown.width / SCALE + 1, grown.height / SCALE + 1);
        smallMask(small & cv::Rect(0, 0, smallMask.cols, smallMask.rows)).setTo(0);
    }
}

void faceList(const RoomFaces& faces, std::vector<ImageBox>& out) {
    out.clear();
    for (const cv::Rect& face : faces.known) {
        if (!face.empty()) {
            out.push_back(ImageBox{face.x, face.y, face.x + face.width, face.y + face.height});
        }
    }
}
