// The players' faces: found whole while learning, then followed in small regions a slice at a time.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>

static const int MIN_FACE = 24;
// A face at arm's length from a webcam: what a hand's length is taken for until a face is seen.
static const int DEFAULT_FACE_HEIGHT = 50;
// A known face is looked for again brought down to this width.
static const int FOLLOWED_FACE = 30;
// A face is looked for again every this many frames, one player at a time.
static const unsigned long FACE_PERIOD = 3;
// A half without a known face is searched, at half size, only on one visit in this many: it
// costs a few times the region around a known face.
static const unsigned long HALF_SEARCH_VISITS = 4;
// At least this share of a face's middle is skin.
static const double FACE_SKIN = 0.4;
// How alike (normalised correlation) the face's middle must look to be followed there.
static const double FACE_LIKENESS = 0.6;
// A pixel of a face's middle that differs from its look by more than this (grey levels, each
// about its own mean, so that the exposure's drift does not count) is something in front of it.
static const int COVER_DIFFERENCE = 25;
// Below this share of the middle, the difference is the face turning or the eyes blinking.
static const double COVER_SHARE = 0.05;
// A face not seen again on this many visits is looked for in the whole half; its last place is
// still set aside meanwhile, since players mostly stay where they stood.
static const int FACE_MISSES = 4;

void loadFaces(RoomFaces& faces, const std::string& model) {
    faces.loaded = faces.cascade.load(model);
    faces.error = faces.loaded ? "" : "cannot read the face model " + model;
    forgetFaces(faces);
}

void forgetFaces(RoomFaces& faces) {
    faces.known[0] = faces.known[1] = cv::Rect();
    faces.seen[0] = faces.seen[1] = false;
    faces.look[0].release();
    faces.look[1].release();
    faces.height[0] = faces.height[1] = DEFAULT_FACE_HEIGHT;
    faces.misses[0] = faces.misses[1] = 0;
    faces.tick = 0;
}

// Faces in a region of the picture, looked for on the region scaled down by scale: the
// cascade's cost goes with the pixels it scans, and its 24-pixel window still holds a face
// brought down to 30 pixels. minSide and maxSide are in the scaled region's pixels.
static std::vector<cv::Rect> detect(RoomFaces& faces, const cv::Mat& rgb, cv::Rect region, double scale,
                                    int minSide, int maxSide) {
    std::vector<cv::Rect> found;
    cv::Size scaled((int)(region.width * scale), (int)(region.height * scale));
    if (!faces.loaded || scaled.width < minSide || scaled.height < minSide) {
        return found;
    }
    cv::Mat grey, small;
    cv::cvtColor(rgb(region), grey, cv::COLOR_RGB2GRAY);
    cv::resize(grey, small, scaled, 0, 0, cv::INTER_AREA);
    cv::equalizeHist(small, small);
    faces.cascade.detectMultiScale(small, found, 1.15, 3, 0, cv::Size(minSide, minSide), cv::Size(maxSide, maxSide));
    std::vector<cv::Rect> skinFaces;
    for (const cv::Rect& face : found) {
        cv::Rect full = cv::Rect((int)(face.x / scale), (int)(face.y / scale), (int)(face.width / scale),
                                 (int)(face.height / scale)) + region.tl();
        // The cascade sees faces in the grain of a dark wall too: a face's middle is skin.
        cv::Rect middle(full.x + full.width / 4, full.y + full.height / 4, full.width / 2, full.height / 2);
        if (broadSkinShare(rgb(middle & cv::Rect(0, 0, rgb.cols, rgb.rows))) >= FACE_SKIN) {
            skinFaces.push_back(full);
        }
    }
    return skinFaces;
}

// The face's middle, without the room around it, to follow the face when the cascade misses it.
void rememberFace(RoomFaces& faces, int player, const cv::Rect& face, const cv::Mat& rgb, bool seen) {
    faces.seen[player] = seen;
    faces.known[player] = face;
    faces.height[player] = face.height;
    faces.misses[player] = 0;
    cv::Rect middle(face.x + face.width / 5, face.y + face.height / 5, face.width * 3 / 5, face.height * 3 / 5);
    cv::cvtColor(rgb(middle), faces.look[player], cv::COLOR_RGB2GRAY);
}

int playerOfFace(const cv::Rect& face) { return face.x + face.width / 2 >= IMAGE_COLUMNS / 2 ? 0 : 1; }

std::vector<cv::Rect> findAllFaces(RoomFaces& faces, const cv::Mat& rgb) {
    std::vector<cv::Rect> found = detect(faces, rgb, cv::Rect(0, 0, rgb.cols, rgb.rows), 1.0, MIN_FACE, rgb.rows);
    for (const cv::Rect& face : found) {
        int player = playerOfFace(face);
        if (!faces.seen[player] || face.area() > faces.known[player].area()) {
            rememberFace(faces, player, face, rgb, true);
        }
    }
    return found;
}

static void lookAgain(RoomFaces& faces, const cv::Mat& rgb, int player, unsigned long visit) {
    cv::Rect known = faces.known[player];
    cv::Rect region, whole(0, 0, rgb.cols, rgb.rows);
    double scale = 0.5;
    int minSide = MIN_FACE, maxSide = rgb.rows / 2;
    bool lost = faces.misses[player] >= FACE_MISSES;
    if (!known.empty() && !lost) {
        // The face at FOLLOWED_FACE pixels, allowed to grow or shrink by a third.
        int grow = known.width * 2 / 5;
        region = cv::Rect(known.x - grow, known.y - grow, known.width + 2 * grow, known.height + 2 * grow) & whole;
        scale = std::min(1.0, (double)FOLLOWED_FACE / known.width);
        minSide = MIN_FACE;
        maxSide = FOLLOWED_FACE * 4 / 3;
    } else if (visit % HALF_SEARCH_VISITS == 0) {
        region = cv::Rect(player == 0 ? rgb.cols / 2 : 0, 0, rgb.cols / 2, rgb.rows);
    } else {
        return;
    }
    std::vector<cv::Rect> found = detect(faces, rgb, region, scale, minSide, maxSide);
    cv::Rect best;
    for (const cv::Rect& face : found) {
        if (playerOfFace(face) == player && face.area() > best.area()) {
            best = face;
        }
    }
    if (!best.empty()) {
        rememberFace(faces, player, best, rgb, true);
    } else if (!known.empty() && !lost) {
        faces.misses[player]++;
    }
}

// The face moved by what its middle looks like most, near where it was: a player drifts a
// few pixels between two looks of the cascade, or for long where it cannot find the face.
static void matchFace(RoomFaces& faces, const cv::Mat& rgb, int player) {
    cv::Rect known = faces.known[player];
    const cv::Mat& look = faces.look[player];
    if (known.empty() || look.empty()) {
        return;
    }
    int reach = std::max(4, known.width / 4);
    cv::Rect middle(known.x + known.width / 5, known.y + known.height / 5, look.cols, look.rows);
    cv::Rect area = cv::Rect(middle.x - reach, middle.y - reach, middle.width + 2 * reach, middle.height + 2 * reach) &
                    cv::Rect(0, 0, rgb.cols, rgb.rows);
    if (area.width <= look.cols || area.height <= look.rows) {
        return;
    }
    cv::Mat grey, score;
    cv::cvtColor(rgb(area), grey, cv::COLOR_RGB2GRAY);
    cv::matchTemplate(grey, look, score, cv::TM_CCOEFF_NORMED);
    double best = 0;
    cv::Point at;
    cv::minMaxLoc(score, nullptr, &best, nullptr, &at);
    if (best >= FACE_LIKENESS) {
        faces.known[player] += area.tl() + at - middle.tl();
    }
}

void followFaces(RoomFaces& faces, const cv::Mat& rgb) {
    unsigned long tick = faces.tick++;
    matchFace(faces, rgb, (int)(tick % 2));
    if (tick % FACE_PERIOD != 0) {
        return;
    }
    unsigned long visit = tick / FACE_PERIOD;
    lookAgain(faces, rgb, (int)(visit % 2), visit / 2);
}

void findCovers(RoomFaces& faces, const cv::Mat& rgb) {
    faces.cover.create(rgb.size(), CV_8UC1);
    faces.cover.setTo(0);
    for (int player = 0; player < 2; ++player) {
        const cv::Rect& face = faces.known[player];
        const cv::Mat& look = faces.look[player];
        if (face.empty() || look.empty()) {
            continue;
        }
        cv::Rect middle(face.x + face.width / 5, face.y + face.height / 5, look.cols, look.rows);
        if ((middle & cv::Rect(0, 0, rgb.cols, rgb.rows)) != middle) {
            continue;
        }
        cv::Mat grey, now, then, difference, covered;
        cv::cvtColor(rgb(middle), grey, cv::COLOR_RGB2GRAY);
        grey.convertTo(now, CV_16S, 1, -cv::mean(grey)[0]);
        look.convertTo(then, CV_16S, 1, -cv::mean(look)[0]);
        cv::absdiff(now, then, difference);
        cv::compare(difference, COVER_DIFFERENCE, covered, cv::CMP_GT);
        cv::morphologyEx(covered, covered, cv::MORPH_OPEN, cv::getStructuringElement(cv::MORPH_RECT, cv::Size(3, 3)));
        if (cv::countNonZero(covered) >= COVER_SHARE * middle.area()) {
            covered.copyTo(faces.cover(middle));
        }
    }
}

void blankFaces(const RoomFaces& faces, cv::Mat& mask, int scale, cv::Point origin) {
    for (int player = 0; player < 2; ++player) {
        const cv::Rect& face = faces.known[player];
        if (face.empty() || !faces.seen[player]) {
            continue;
        }
        // The chin and the neck under the box are skin too. The box keeps its width: the
        // cascade's box reaches the cheeks, and a hand raised beside the face lies just outside
        // it (widened by a tenth on either side, the box cost up to 3 points of the hands found
        // within 15 columns in the synthetic rooms).
        cv::Rect grown(face.x, face.y, face.width, face.height * 6 / 5);
        grown &= cv::Rect(origin, cv::Size(mask.cols * scale, mask.rows * scale));
        cv::Rect scaled(cv::Point((grown.x - origin.x) / scale, (grown.y - origin.y) / scale),
                        cv::Point((grown.br().x - origin.x + scale - 1) / scale, (grown.br().y - origin.y + scale - 1) / scale));
        scaled &= cv::Rect(0, 0, mask.cols, mask.rows);
        if (scaled.empty()) {
            continue;
        }
        cv::Mat covered;
        cv::Rect full(scaled.x * scale + origin.x, scaled.y * scale + origin.y, scaled.width * scale, scaled.height * scale);
        full &= cv::Rect(0, 0, faces.cover.cols, faces.cover.rows);
        if (faces.cover.empty() || full.size() != scaled.size() * scale) {
            mask(scaled).setTo(0);
            continue;
        }
        cv::resize(faces.cover(full), covered, scaled.size(), 0, 0, cv::INTER_NEAREST);
        cv::bitwise_and(mask(scaled), covered, mask(scaled));
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
