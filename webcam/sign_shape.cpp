// The sign from the hand's outline: how far it reaches above the palm and the gaps between fingers.
#include "webcam/sign_reader.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

#include "game/codes.h"

// A fist rises little above its palm's centre; a finger rises well over twice the radius.
static const float FIST_REACH = 1.9f;
// A gap between two raised fingers is deeper than this share of the palm's radius, and its
// sides meet at a sharper angle than this.
static const float GAP_DEPTH = 0.8f;
static const double GAP_ANGLE = 80 * CV_PI / 180;
// Fingers held together are read by their width halfway up: a flat hand's is over this many
// palm radii, two fingers' under it.
static const float FLAT_WIDTH = 1.25f;

static std::vector<cv::Point> outline(const cv::Mat& mask) {
    std::vector<std::vector<cv::Point>> contours;
    cv::findContours(mask.clone(), contours, cv::RETR_EXTERNAL, cv::CHAIN_APPROX_SIMPLE);
    size_t best = 0;
    for (size_t i = 1; i < contours.size(); ++i) {
        if (cv::contourArea(contours[i]) > cv::contourArea(contours[best])) {
            best = i;
        }
    }
    return contours.empty() ? std::vector<cv::Point>() : contours[best];
}

static double angleAt(cv::Point far, cv::Point a, cv::Point b) {
    cv::Point2d u = a - far, v = b - far;
    double lengths = std::hypot(u.x, u.y) * std::hypot(v.x, v.y);
    return lengths > 0 ? std::acos(std::max(-1.0, std::min(1.0, u.dot(v) / lengths))) : CV_PI;
}

// Gaps between raised fingers: deep, narrow, above the palm's centre, with both fingertips
// above the gap's bottom (the thumb's gap beside the palm does not count).
static int fingerGaps(const std::vector<cv::Point>& contour, cv::Point palm, float radius) {
    std::vector<int> hull;
    cv::convexHull(contour, hull, false, false);
    if (hull.size() < 4) {
        return 0;
    }
    // A contour that touches itself (a finger pressed to the palm) can give hull indices out of
    // order, which convexityDefects refuses: in contour order they describe the same hull.
    std::sort(hull.begin(), hull.end());
    std::vector<cv::Vec4i> defects;
    try {
        cv::convexityDefects(contour, hull, defects);
    } catch (const cv::Exception&) {
        return 0;
    }
    int gaps = 0;
    for (const cv::Vec4i& d : defects) {
        cv::Point start = contour[d[0]], end = contour[d[1]], far = contour[d[2]];
        bool deep = d[3] / 256.0f > GAP_DEPTH * radius;
        bool raised = far.y < palm.y && start.y < far.y && end.y < far.y;
        if (deep && raised && angleAt(far, start, end) < GAP_ANGLE) {
            gaps++;
        }
    }
    return gaps;
}

static int widthAt(const cv::Mat& mask, int row) {
    return row >= 0 && row < mask.rows ? cv::countNonZero(mask.row(row)) : 0;
}

static int readShape(const HandPatch& hand) {
    if (hand.mask.empty() || hand.palmRadius <= 0) {
        return NO_SIGN;
    }
    int width = hand.box.right - hand.box.left, height = hand.box.bottom - hand.box.top;
    cv::Mat mask(height, width, CV_8UC1, const_cast<unsigned char*>(hand.mask.data()));
    cv::Point palm(hand.palmX - hand.box.left, hand.palmY - hand.box.top);
    float radius = hand.palmRadius;
    if (palm.y < radius * FIST_REACH) {
        return ROCK;
    }
    std::vector<cv::Point> contour = outline(mask);
    int gaps = contour.empty() ? 0 : fingerGaps(contour, palm, radius);
    if (gaps >= 2) {
        return PAPER;
    }
    if (gaps == 1) {
        return SCISSORS;
    }
    int fingersRow = palm.y - (int)(radius * 2.0f);
    return widthAt(mask, fingersRow) > FLAT_WIDTH * radius ? PAPER : SCISSORS;
}

const SignReader& shapeSignReader() {
    static const SignReader reader = {"shape", readShape};
    return reader;
}
