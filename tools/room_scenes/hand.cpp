// Fists, open palms and V signs built from ellipses and finger strokes in the hand's own frame.
#include "hand.h"

#include <cmath>

#include <opencv2/imgproc.hpp>

#include "canvas.h"

// The hand's own frame: palm width 1, fingers up (-y), thumb on +x before mirroring.
struct HandFrame {
    cv::Point2f centre;
    float cosine, sine, unit, turn, thumbSide;

    cv::Point2f at(float x, float y) const {
        float lx = x * turn * unit * thumbSide, ly = y * unit;
        return centre + cv::Point2f(lx * cosine - ly * sine, lx * sine + ly * cosine);
    }
    float width(float w) const { return w * unit * (1 + turn) / 2; }
};

static HandFrame frameOf(const HandPose& pose, float thumbSide) {
    float radians = pose.tilt * (float)CV_PI / 180;
    return HandFrame{pose.centre, std::cos(radians), std::sin(radians), pose.palmWidth, pose.turn, thumbSide};
}

static void ellipseIn(Shape& shape, const HandFrame& hand, float x, float y, float halfX, float halfY) {
    float degrees = std::atan2(hand.sine, hand.cosine) * 180 / (float)CV_PI;
    addEllipse(shape, hand.at(x, y), cv::Size2f(halfX * hand.unit * hand.turn, halfY * hand.unit), degrees);
}

// A finger from its knuckle, leaning by degrees towards the thumb's side.
static void finger(Shape& shape, const HandFrame& hand, float x, float y, float degrees, float length, float width) {
    float radians = degrees * (float)CV_PI / 180;
    addCapsule(shape, hand.at(x, y), hand.at(x + length * std::sin(radians), y - length * std::cos(radians)),
               hand.width(width));
}

static void palmAndHeel(Shape& shape, const HandFrame& hand) {
    ellipseIn(shape, hand, 0, 0, 0.5f, 0.56f);
    addPolygon(shape, {hand.at(-0.47f, -0.38f), hand.at(0.47f, -0.38f), hand.at(0.44f, 0.3f), hand.at(-0.44f, 0.3f)});
    addPolygon(shape, {hand.at(-0.4f, 0.3f), hand.at(0.42f, 0.3f), hand.at(0.3f, 0.62f), hand.at(-0.3f, 0.62f)});
}

static void fist(Shape& shape, const HandFrame& hand, bool twoRaised) {
    palmAndHeel(shape, hand);
    ellipseIn(shape, hand, 0, -0.08f, 0.55f, 0.5f);
    const float knuckles[4] = {0.33f, 0.11f, -0.11f, -0.33f};
    for (int i = twoRaised ? 2 : 0; i < 4; ++i) {
        ellipseIn(shape, hand, knuckles[i], -0.43f, 0.13f, 0.13f);
    }
    addCapsule(shape, hand.at(0.52f, 0.18f), hand.at(0.06f, -0.1f), hand.width(0.24f));
}

static void handShape(Shape& shape, const HandFrame& hand, int sign) {
    if (sign == PAPER_SIGN) {
        palmAndHeel(shape, hand);
        finger(shape, hand, 0.34f, -0.36f, 10, 0.78f, 0.2f);
        finger(shape, hand, 0.11f, -0.4f, 2, 0.88f, 0.21f);
        finger(shape, hand, -0.12f, -0.38f, -6, 0.8f, 0.2f);
        finger(shape, hand, -0.34f, -0.3f, -16, 0.6f, 0.17f);
        finger(shape, hand, 0.42f, 0.14f, 58, 0.62f, 0.25f);
    } else if (sign == SCISSORS_SIGN) {
        fist(shape, hand, true);
        finger(shape, hand, 0.24f, -0.4f, 14, 0.86f, 0.2f);
        finger(shape, hand, -0.01f, -0.42f, -10, 0.9f, 0.21f);
    } else {
        fist(shape, hand, false);
    }
}

// The dark lines inside a closed hand: between the curled fingers and along the thumb.
static void creases(Shape& shape, const HandFrame& hand, int sign) {
    if (sign == PAPER_SIGN) {
        addCapsule(shape, hand.at(0.3f, 0.3f), hand.at(-0.1f, -0.05f), hand.width(0.05f));
        return;
    }
    for (float x : {0.22f, 0.0f, -0.22f}) {
        if (sign == SCISSORS_SIGN && x > 0.1f) {
            continue;
        }
        addCapsule(shape, hand.at(x, -0.52f), hand.at(x, -0.3f), hand.width(0.05f));
    }
    addCapsule(shape, hand.at(0.46f, 0.3f), hand.at(0.02f, 0.0f), hand.width(0.05f));
}

HandTruth drawHand(cv::Mat3f& picture, const cv::Mat3f& light, const HandPose& pose, float thumbSide,
                   cv::Vec3f skin, cv::Vec2f towardLight) {
    HandFrame hand = frameOf(pose, thumbSide);
    float reach = pose.palmWidth * 1.5f;
    cv::Rect2f area(pose.centre.x - reach, pose.centre.y - reach, 2 * reach, 2 * reach);
    Shape shape = shapeOver(area);
    if (shape.box.empty()) {
        return HandTruth();
    }
    handShape(shape, hand, pose.sign);
    cv::Mat1f cover = coverage(shape);
    cv::Mat1f shading = roundShading(shape, cover, pose.centre, pose.palmWidth * 0.8f, towardLight, 0.5f);
    paint(picture, shape, cover, litColour(light, shape.box, skin, shading));
    Shape lines = shapeOver(area);
    creases(lines, hand, pose.sign);
    cv::Mat1f lineCover = coverage(lines).mul(cover) * 0.6f;
    paint(picture, lines, lineCover, litColour(light, lines.box, skin * 0.45f, shading));
    return truthOfCover(shape, cover, pose.palmWidth);
}

HandTruth truthOfCover(const Shape& shape, const cv::Mat1f& cover, float palmWidth) {
    HandTruth truth;
    truth.centre = coveredCentre(shape, cover, truth.area);
    truth.visible = truth.area > palmWidth * palmWidth * 0.3f;
    return truth;
}

cv::Point2f wristOf(const HandPose& pose, cv::Point2f& down) {
    HandFrame hand = frameOf(pose, 1);
    down = hand.at(0, 1) - hand.at(0, 0);
    down /= (float)cv::norm(down);
    return hand.at(0, 0.55f);
}
