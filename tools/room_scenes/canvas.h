// Shapes drawn finer than the frame and laid on a float picture by how much of each pixel they cover.
#ifndef ROOM_SCENES_CANVAS_H
#define ROOM_SCENES_CANVAS_H

#include <vector>

#include <opencv2/core.hpp>

const int FRAME_WIDTH = 320;
const int FRAME_HEIGHT = 240;

// A mask over a box of the frame, drawn SUPERSAMPLE times finer so that thin fingers and the
// gaps between them keep their partial pixels.
struct Shape {
    cv::Rect box;    // frame pixels, inside the frame; empty when the shape is out of view
    cv::Mat1b fine;  // box.size() times SUPERSAMPLE
};

// A shape that can be drawn anywhere inside area (frame pixels); nothing outside the frame.
Shape shapeOver(const cv::Rect2f& area);
void addEllipse(Shape& shape, cv::Point2f centre, cv::Size2f halfAxes, float angleDegrees);
void addPolygon(Shape& shape, const std::vector<cv::Point2f>& points);
// A stroke of the given width with round ends.
void addCapsule(Shape& shape, cv::Point2f from, cv::Point2f to, float width);
// A stroke whose width changes from one end to the other (a forearm narrowing to the wrist).
void addTaper(Shape& shape, cv::Point2f from, cv::Point2f to, float fromWidth, float toWidth);

// The part of each frame pixel of the box that the shape covers, 0 to 1.
cv::Mat1f coverage(const Shape& shape);
// Frame coordinates of the covered part's centre, and the covered area in pixels.
cv::Point2f coveredCentre(const Shape& shape, const cv::Mat1f& cover, double& area);

// Lays colour (one per pixel of the box) over the picture as far as the shape covers it.
void paint(cv::Mat3f& picture, const Shape& shape, const cv::Mat1f& cover, const cv::Mat3f& colour);
// The same with one colour, already lit, for the whole shape.
void paintFlat(cv::Mat3f& picture, const Shape& shape, const cv::Mat1f& cover, cv::Vec3f colour);

// How much light a rounded thing catches: more on the side facing the light, less at its rim.
// towardLight is a unit vector in the frame's plane; ambient is the share of light on the far side.
cv::Mat1f roundShading(const Shape& shape, const cv::Mat1f& cover, cv::Point2f centre, float radius,
                       cv::Vec2f towardLight, float ambient);
// albedo times shading times the light falling on the box.
cv::Mat3f litColour(const cv::Mat3f& light, const cv::Rect& box, cv::Vec3f albedo, const cv::Mat1f& shading);

// A colour given as 8-bit sRGB in the linear light the pictures are made in.
cv::Vec3f linearColour(int red, int green, int blue);

#endif
