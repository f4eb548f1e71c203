// A hand showing rock, paper or scissors, drawn in the frame with its true centre.
#ifndef ROOM_SCENES_HAND_H
#define ROOM_SCENES_HAND_H

#include <opencv2/core.hpp>

const int ROCK_SIGN = 1;
const int PAPER_SIGN = 2;
const int SCISSORS_SIGN = 3;

// Where a raised hand is and how it is held, in frame coordinates.
struct HandPose {
    bool raised = false;
    cv::Point2f centre;  // the palm's middle
    int sign = 0;        // one of the signs above
    float tilt = 0;      // degrees in the frame's plane, fingers leaning right when positive
    float turn = 1;      // 1 facing the camera, less when turned aside (seen narrower)
    float palmWidth = 24;
};

// The pixels that are truly the hand (palm and fingers, not the forearm).
struct HandTruth {
    bool visible = false;
    cv::Point2f centre;
    double area = 0;
};

struct Shape;

// The truth of a hand laid over a shape's box by cover: the centre of its covered pixels, and
// whether enough of it shows (a third of the palm's square) to count as seen.
HandTruth truthOfCover(const Shape& shape, const cv::Mat1f& cover, float palmWidth);

// thumbSide: +1 when the thumb points to the frame's right, -1 to its left.
HandTruth drawHand(cv::Mat3f& picture, const cv::Mat3f& light, const HandPose& pose, float thumbSide,
                   cv::Vec3f skin, cv::Vec2f towardLight);
// Where the forearm meets the hand, and the forearm's way down from there (a unit vector).
cv::Point2f wristOf(const HandPose& pose, cv::Point2f& down);

#endif
