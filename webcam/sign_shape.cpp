// The sign from the hand's outline: how much of it crosses a circle around the palm, as fingers do.
#include "webcam/sign_reader.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

#include "game/codes.h"

// Fingers leave the palm upward and the thumb sideways: the circle is read over the upper
// half and a little below level on either side (angles in degrees, image rows growing down).
static const double ARC_FROM = -200, ARC_TO = 20;
// A fist rises less than this many palm radii above the palm's centre, or shows almost nothing
// on the near circle (its knuckles are within it).
static const float FIST_REACH = 1.8f;
static const float FIST_CROSSING = 0.3f;
// On the near circle (NEAR radii) a flat hand shows more than FLAT_CROSSING radii of skin; two
// fingers show less. A webcam's picture blurs the gaps between fingers a pixel or two wide, so
// a flat hand is told by its breadth, not by counting fingers on a wider circle: on synthetic
// rooms that count read a scissors' two fingers and thumb as paper more often than it found one.
static const float NEAR = 1.5f;
static const float FLAT_CROSSING = 1.7f;

// What of the mask lies on a circle around the palm: the skin's total length along it, in palm
// radii.
static float crossing(const cv::Mat& mask, cv::Point palm, float radius, float circle) {
    double r = radius * circle, from = ARC_FROM * CV_PI / 180, to = ARC_TO * CV_PI / 180;
    int samples = std::max(24, (int)(r * (to - from)));
    float length = 0;
    int run = 0;
    for (int i = 0; i <= samples; ++i) {
        double angle = from + (to - from) * i / samples;
        int x = (int)std::lround(palm.x + r * std::cos(angle)), y = (int)std::lround(palm.y + r * std::sin(angle));
        bool on = i < samples && x >= 0 && y >= 0 && x < mask.cols && y < mask.rows && mask.at<unsigned char>(y, x);
        if (on) {
            run++;
        } else if (run > 0) {
            // A single sample is the mask's ragged edge.
            if (run >= 2) {
                length += (float)(run * r * (to - from) / samples / radius);
            }
            run = 0;
        }
    }
    return length;
}

static int readShape(void*, const HandPatch& hand) {
    if (hand.mask.empty() || hand.palmRadius <= 0) {
        return NO_SIGN;
    }
    int width = hand.box.right - hand.box.left, height = hand.box.bottom - hand.box.top;
    cv::Mat mask(height, width, CV_8UC1, const_cast<unsigned char*>(hand.mask.data()));
    cv::Point palm(hand.palmX - hand.box.left, hand.palmY - hand.box.top);
    float radius = hand.palmRadius;
    float near = crossing(mask, palm, radius, NEAR);
    if (palm.y < radius * FIST_REACH || near < FIST_CROSSING) {
        return ROCK;
    }
    if (near > FLAT_CROSSING) {
        return PAPER;
    }
    return SCISSORS;
}

const SignReader& shapeSignReader() {
    static const SignReader reader = {"shape", readShape, nullptr};
    return reader;
}
