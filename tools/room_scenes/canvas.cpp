// Supersampled shapes, their coverage, and laying lit colours on the float picture.
#include "canvas.h"

#include <algorithm>
#include <cmath>

#include <opencv2/imgproc.hpp>

static const int SUPERSAMPLE = 4;
// OpenCV's drawing takes fixed-point coordinates: this many fraction bits.
static const int FRACTION_BITS = 4;

Shape shapeOver(const cv::Rect2f& area) {
    cv::Rect box((int)std::floor(area.x), (int)std::floor(area.y), (int)std::ceil(area.width) + 2,
                 (int)std::ceil(area.height) + 2);
    Shape shape;
    shape.box = box & cv::Rect(0, 0, FRAME_WIDTH, FRAME_HEIGHT);
    shape.fine = cv::Mat1b::zeros(std::max(shape.box.height, 1) * SUPERSAMPLE,
                                  std::max(shape.box.width, 1) * SUPERSAMPLE);
    return shape;
}

static cv::Point fine(const Shape& shape, cv::Point2f p) {
    float scale = (float)(SUPERSAMPLE << FRACTION_BITS);
    return cv::Point((int)std::lround((p.x - shape.box.x) * scale), (int)std::lround((p.y - shape.box.y) * scale));
}

void addEllipse(Shape& shape, cv::Point2f centre, cv::Size2f halfAxes, float angleDegrees) {
    float scale = (float)(SUPERSAMPLE << FRACTION_BITS);
    cv::Size axes((int)std::lround(halfAxes.width * scale), (int)std::lround(halfAxes.height * scale));
    cv::ellipse(shape.fine, fine(shape, centre), axes, angleDegrees, 0, 360, cv::Scalar(255), cv::FILLED,
                cv::LINE_8, FRACTION_BITS);
}

void addPolygon(Shape& shape, const std::vector<cv::Point2f>& points) {
    std::vector<cv::Point> finePoints;
    for (const cv::Point2f& p : points) {
        finePoints.push_back(fine(shape, p));
    }
    cv::fillPoly(shape.fine, std::vector<std::vector<cv::Point>>{finePoints}, cv::Scalar(255), cv::LINE_8,
                 FRACTION_BITS);
}

void addCapsule(Shape& shape, cv::Point2f from, cv::Point2f to, float width) {
    addTaper(shape, from, to, width, width);
}

void addTaper(Shape& shape, cv::Point2f from, cv::Point2f to, float fromWidth, float toWidth) {
    cv::Point2f along = to - from;
    float length = std::max((float)cv::norm(along), 0.01f);
    cv::Point2f across(-along.y / length, along.x / length);
    addPolygon(shape, {from + across * (fromWidth / 2), to + across * (toWidth / 2), to - across * (toWidth / 2),
                       from - across * (fromWidth / 2)});
    addEllipse(shape, from, cv::Size2f(fromWidth / 2, fromWidth / 2), 0);
    addEllipse(shape, to, cv::Size2f(toWidth / 2, toWidth / 2), 0);
}

cv::Mat1f coverage(const Shape& shape) {
    if (shape.box.empty()) {
        return cv::Mat1f();
    }
    cv::Mat1f fine, cover;
    shape.fine.convertTo(fine, CV_32F, 1 / 255.0);
    cv::resize(fine, cover, shape.box.size(), 0, 0, cv::INTER_AREA);
    return cover;
}

cv::Point2f coveredCentre(const Shape& shape, const cv::Mat1f& cover, double& area) {
    cv::Moments m = cv::moments(cover, false);
    area = m.m00;
    if (m.m00 <= 0) {
        return cv::Point2f(0, 0);
    }
    // Moments count pixel centres from 0 at the box's first pixel.
    return cv::Point2f((float)(shape.box.x + m.m10 / m.m00), (float)(shape.box.y + m.m01 / m.m00));
}

void paint(cv::Mat3f& picture, const Shape& shape, const cv::Mat1f& cover, const cv::Mat3f& colour) {
    if (shape.box.empty()) {
        return;
    }
    cv::Mat3f region = picture(shape.box);
    for (int y = 0; y < region.rows; ++y) {
        for (int x = 0; x < region.cols; ++x) {
            float a = cover(y, x);
            if (a > 0) {
                region(y, x) = region(y, x) * (1 - a) + colour(y, x) * a;
            }
        }
    }
}

void paintFlat(cv::Mat3f& picture, const Shape& shape, const cv::Mat1f& cover, cv::Vec3f colour) {
    paint(picture, shape, cover, cv::Mat3f(shape.box.size(), colour));
}

cv::Mat1f roundShading(const Shape& shape, const cv::Mat1f& cover, cv::Point2f centre, float radius,
                       cv::Vec2f towardLight, float ambient) {
    cv::Mat1f shading(shape.box.size());
    if (shape.box.empty()) {
        return shading;
    }
    cv::Mat1f rim;
    float sigma = std::max(radius * 0.3f, 0.6f);
    cv::GaussianBlur(cover, rim, cv::Size(0, 0), sigma, sigma, cv::BORDER_CONSTANT);
    for (int y = 0; y < shading.rows; ++y) {
        for (int x = 0; x < shading.cols; ++x) {
            float dx = (shape.box.x + x - centre.x) / radius, dy = (shape.box.y + y - centre.y) / radius;
            float facing = std::clamp(dx * towardLight[0] + dy * towardLight[1], -1.0f, 1.0f);
            float lit = ambient + (1 - ambient) * (0.6f + 0.4f * facing);
            shading(y, x) = lit * (0.6f + 0.4f * std::min(rim(y, x) * 1.6f, 1.0f));
        }
    }
    return shading;
}

cv::Mat3f litColour(const cv::Mat3f& light, const cv::Rect& box, cv::Vec3f albedo, const cv::Mat1f& shading) {
    cv::Mat3f colour(box.size());
    for (int y = 0; y < box.height; ++y) {
        for (int x = 0; x < box.width; ++x) {
            cv::Vec3f l = light(box.y + y, box.x + x);
            float s = shading(y, x);
            colour(y, x) = cv::Vec3f(albedo[0] * l[0] * s, albedo[1] * l[1] * s, albedo[2] * l[2] * s);
        }
    }
    return colour;
}

cv::Vec3f linearColour(int red, int green, int blue) {
    auto linear = [](int v) { return std::pow(v / 255.0f, 2.2f); };
    return cv::Vec3f(linear(red), linear(green), linear(blue));
}
