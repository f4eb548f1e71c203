// The sign from the hand's outline: what crosses circles around the palm, as fingers do.
#include "webcam/sign_reader.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

#include "game/codes.h"

// Fingers leave the palm upward and the thumb sideways: the circles are read over the upper
// half and a little below level on either side (angles in degrees, image rows growing down).
static const double ARC_FROM = -200, ARC_TO = 20;
// A fist rises less than this many palm radii above the palm's centre, or shows almost nothing
// on the near circle (its knuckles are within it).
static const float FIST_REACH = 2.0f;
static const float FIST_CROSSING = 0.3f;
// On the near circle (NEAR radii) a flat hand shows more than FLAT_CROSSING radii of skin, its
// fingers together or apart; on the far circle (FAR radii) apart fingers cross it FLAT_FINGERS
// times or more. Two fingers show less of both.
static const float NEAR = 1.5f, FAR = 1.8f;
static const float FLAT_CROSSING = 2.2f;
static const int FLAT_FINGERS = 3;

// What of the mask lies on a circle around the palm: the skin's total length along it, in
// palm radii, and how many separate pieces (two samples or more) it makes.
struct Crossing {
    float length;
    int pieces;
};

static Crossing crossing(const cv::Mat& mask, cv::Point palm, float radius, float circle) {
    double r = radius * circle, from = ARC_FROM * CV_PI / 180, to = ARC_TO * CV_PI / 180;
    int samples = std::max(24, (int)(r * (to - from)));
    Crossing result = {0, 0};
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
                result.pieces++;
                result.length += (float)(run * r * (to - from) / samples / radius);
            }
            run = 0;
        }
    }
    return result;
}

static int readShape(void*, const HandPatch& hand) {
    if (hand.mask.empty() || hand.palmRadius <= 0) {
        return NO_SIGN;
    }
    int width = hand.box.right - hand.box.left, height = hand.box.bottom - hand.box.top;
    cv::Mat mask(height, width, CV_8UC1, const_cast<unsigned char*>(hand.mask.data()));
    cv::Point palm(hand.palmX - hand.box.left, hand.palmY - hand.box.top);
    float radius = hand.palmRadius;
    Crossing near = crossing(mask, palm, radius, NEAR);
    if (palm.y < radius * FIST_REACH || near.length < FIST_CROSSING) {
        return ROCK;
    }
    if (near.length > FLAT_CROSSING || crossing(mask, palm, radius, FAR).pieces >= FLAT_FINGERS) {
        return PAPER;
    }
    return SCISSORS;
}

const SignReader& shapeSignReader() {
    static const SignReader reader = {"shape", readShape, nullptr};
    return reader;
}
