// People as a webcam about 1.5 m away sees them: shirts, arms, faces with eyes, brows and hair.
#include "people.h"

#include <cmath>

#include <opencv2/imgproc.hpp>

#include "canvas.h"
#include "hand_body.h"

static const int SKIN_TONES[6][3] = {{238, 204, 184}, {226, 178, 148}, {198, 142, 108},
                                     {168, 112, 80},  {122, 80, 56},   {84, 54, 40}};
static const int HAIR_COLOURS[5][3] = {{24, 20, 18}, {58, 40, 28}, {110, 74, 44}, {190, 158, 108}, {150, 148, 146}};
// White, black, navy, red, green, grey, yellow, light blue, and a beige as near skin as cloth gets.
static const int SHIRT_COLOURS[9][3] = {{238, 238, 234}, {32, 32, 34},    {36, 46, 92},   {172, 42, 40},  {62, 122, 72},
                                        {130, 130, 136}, {222, 190, 80}, {152, 182, 222}, {204, 168, 136}};
static const int DARK_SHIRTS[3][3] = {{8, 8, 10}, {10, 10, 20}, {14, 14, 16}};

static cv::Vec3f pick(const int (*table)[3], int index) {
    return linearColour(table[index][0], table[index][1], table[index][2]);
}

Person randomPerson(cv::RNG& rng, int skinTone, bool darkClothes) {
    Person person;
    person.faceWidth = (float)rng.uniform(36.0, 48.0);
    person.skin = pick(SKIN_TONES, skinTone);
    person.hair = pick(HAIR_COLOURS, skinTone >= 3 ? rng.uniform(0, 2) : rng.uniform(0, 5));
    person.longHair = rng.uniform(0, 3) == 0;
    if (darkClothes) {
        person.shirt = pick(DARK_SHIRTS, rng.uniform(0, 3));
        person.longSleeves = true;
        return person;
    }
    person.shirt = pick(SHIRT_COLOURS, rng.uniform(0, 9));
    person.shirtLines = pick(SHIRT_COLOURS, rng.uniform(0, 9));
    person.pattern = (ShirtPattern)(rng.uniform(0, 5) % 3);
    person.longSleeves = rng.uniform(0, 2) == 0;
    return person;
}

static cv::Mat3f shirtColour(const Shape& shape, const cv::Mat3f& light, const Person& person, const cv::Mat1f& shading) {
    cv::Mat3f colour = litColour(light, shape.box, person.shirt, shading);
    if (person.pattern == PLAIN_SHIRT) {
        return colour;
    }
    cv::Mat3f lines = litColour(light, shape.box, person.shirtLines, shading);
    int period = std::max(3, (int)(person.faceWidth * 0.2f));
    for (int y = 0; y < colour.rows; ++y) {
        for (int x = 0; x < colour.cols; ++x) {
            bool across = (shape.box.y + y) % period < period / 2;
            bool down = (shape.box.x + x) % period < period / 2;
            float share = person.pattern == STRIPED_SHIRT ? (across ? 1.0f : 0.0f) : (across ? 0.5f : 0) + (down ? 0.5f : 0);
            colour(y, x) = colour(y, x) * (1 - share) + lines(y, x) * share;
        }
    }
    return colour;
}

static void paintShaped(cv::Mat3f& picture, const cv::Mat3f& light, const Shape& shape, cv::Vec3f albedo,
                        cv::Point2f centre, float radius, cv::Vec2f towardLight, float ambient) {
    cv::Mat1f cover = coverage(shape);
    cv::Mat1f shading = roundShading(shape, cover, centre, radius, towardLight, ambient);
    paint(picture, shape, cover, litColour(light, shape.box, albedo, shading));
}

// A soft-edged mark on the face (eye sockets, the side of the nose): darker skin, no hard line.
static void softMark(cv::Mat3f& picture, const cv::Mat3f& light, Shape& shape, cv::Vec3f colour, float softness) {
    cv::Mat1f cover = coverage(shape);
    if (cover.empty()) {
        return;
    }
    cv::GaussianBlur(cover, cover, cv::Size(0, 0), softness);
    paint(picture, shape, cover, litColour(light, shape.box, colour, cv::Mat1f(shape.box.size(), 1.0f)));
}

static void mark(cv::Mat3f& picture, const cv::Mat3f& light, Shape& shape, cv::Vec3f colour) {
    cv::Mat1f cover = coverage(shape);
    paint(picture, shape, cover, litColour(light, shape.box, colour, cv::Mat1f(shape.box.size(), 1.0f)));
}

static void features(cv::Mat3f& picture, const cv::Mat3f& light, const Person& p) {
    float f = p.faceWidth, x = p.centreX, y = p.headY;
    cv::Rect2f face(x - f, y - f, 2 * f, 2 * f);
    Shape sockets = shapeOver(face);
    addEllipse(sockets, {x - 0.2f * f, y - 0.09f * f}, {0.16f * f, 0.1f * f}, 0);
    addEllipse(sockets, {x + 0.2f * f, y - 0.09f * f}, {0.16f * f, 0.1f * f}, 0);
    softMark(picture, light, sockets, p.skin * 0.4f, 0.05f * f);
    Shape brows = shapeOver(face);
    for (float side : {-1.0f, 1.0f}) {
        addCapsule(brows, {x + side * 0.09f * f, y - 0.2f * f}, {x + side * 0.32f * f, y - 0.21f * f}, 0.07f * f);
    }
    mark(picture, light, brows, p.hair * 0.8f + p.skin * 0.1f);
    Shape whites = shapeOver(face);
    addEllipse(whites, {x - 0.2f * f, y - 0.07f * f}, {0.075f * f, 0.03f * f}, 0);
    addEllipse(whites, {x + 0.2f * f, y - 0.07f * f}, {0.075f * f, 0.03f * f}, 0);
    mark(picture, light, whites, p.skin * 0.5f + linearColour(120, 112, 105) * 0.5f);
    Shape irises = shapeOver(face);
    addEllipse(irises, {x - 0.2f * f, y - 0.07f * f}, {0.045f * f, 0.045f * f}, 0);
    addEllipse(irises, {x + 0.2f * f, y - 0.07f * f}, {0.045f * f, 0.045f * f}, 0);
    mark(picture, light, irises, linearColour(40, 28, 22));
    Shape nose = shapeOver(face);
    addCapsule(nose, {x + 0.06f * f, y - 0.02f * f}, {x + 0.08f * f, y + 0.18f * f}, 0.07f * f);
    addEllipse(nose, {x, y + 0.22f * f}, {0.12f * f, 0.045f * f}, 0);
    softMark(picture, light, nose, p.skin * 0.5f, 0.03f * f);
    Shape mouth = shapeOver(face);
    addEllipse(mouth, {x, y + 0.35f * f}, {0.16f * f, 0.04f * f}, 0);
    mark(picture, light, mouth, p.skin.mul(cv::Vec3f(0.5f, 0.3f, 0.32f)));
}

static void head(cv::Mat3f& picture, const cv::Mat3f& light, const Person& p, cv::Vec2f towardLight) {
    float f = p.faceWidth, x = p.centreX, y = p.headY;
    cv::Rect2f around(x - 1.2f * f, y - 1.2f * f, 2.4f * f, 2.6f * f);
    Shape back = shapeOver(around);
    addEllipse(back, {x, y - 0.12f * f}, {0.56f * f, 0.62f * f}, 0);
    if (p.longHair) {
        for (float side : {-1.0f, 1.0f}) {
            addTaper(back, {x + side * 0.42f * f, y - 0.2f * f}, {x + side * 0.5f * f, y + 0.85f * f}, 0.3f * f, 0.4f * f);
        }
    }
    paintShaped(picture, light, back, p.hair, {x, y}, f, towardLight, 0.6f);
    Shape neck = shapeOver(around);
    addPolygon(neck, {{x - 0.25f * f, y + 0.3f * f}, {x + 0.25f * f, y + 0.3f * f}, {x + 0.27f * f, y + 1.05f * f},
                      {x - 0.27f * f, y + 1.05f * f}});
    paintShaped(picture, light, neck, p.skin * 0.7f, {x, y + 0.8f * f}, 0.4f * f, towardLight, 0.6f);
    Shape face = shapeOver(around);
    addEllipse(face, {x, y}, {0.5f * f, 0.6f * f}, 0);
    addEllipse(face, {x - 0.5f * f, y + 0.02f * f}, {0.08f * f, 0.15f * f}, 0);
    addEllipse(face, {x + 0.5f * f, y + 0.02f * f}, {0.08f * f, 0.15f * f}, 0);
    paintShaped(picture, light, face, p.skin, {x, y}, 0.6f * f, towardLight, 0.55f);
    features(picture, light, p);
    Shape fringe = shapeOver(around);
    addEllipse(fringe, {x, y - 0.5f * f}, {0.53f * f, 0.25f * f}, 0);
    paintShaped(picture, light, fringe, p.hair, {x, y - 0.5f * f}, 0.5f * f, towardLight, 0.6f);
}

static float shoulderRow(const Person& p) {
    return p.headY + 0.98f * p.faceWidth;
}

static void torso(cv::Mat3f& picture, const cv::Mat3f& light, const Person& p, cv::Vec2f towardLight) {
    float f = p.faceWidth, x = p.centreX, top = shoulderRow(p), half = 1.35f * f;
    Shape body = shapeOver(cv::Rect2f(x - half - 2, top - 2, 2 * half + 4, FRAME_HEIGHT - top + 4));
    addEllipse(body, {x, top + 0.4f * f}, {half, 0.45f * f}, 0);
    addPolygon(body, {{x - half, top + 0.4f * f}, {x + half, top + 0.4f * f}, {x + 0.95f * half, FRAME_HEIGHT + 2.0f},
                      {x - 0.95f * half, FRAME_HEIGHT + 2.0f}});
    cv::Mat1f cover = coverage(body);
    cv::Mat1f shading = roundShading(body, cover, {x, top + f}, half, towardLight, 0.6f);
    paint(picture, body, cover, shirtColour(body, light, p, shading));
    Shape collar = shapeOver(cv::Rect2f(x - f, top - f, 2 * f, 2 * f));
    addEllipse(collar, {x, top - 0.02f * f}, {0.24f * f, 0.2f * f}, 0);
    paintShaped(picture, light, collar, p.skin * 0.75f, {x, top}, 0.3f * f, towardLight, 0.6f);
}

// An arm from the shoulder through the elbow to the wrist; the sleeve covers it to the wrist or
// to halfway down the upper arm.
static void arm(cv::Mat3f& picture, const cv::Mat3f& light, const Person& p, cv::Point2f shoulder, cv::Point2f elbow,
                cv::Point2f wrist, cv::Vec2f towardLight) {
    float f = p.faceWidth;
    cv::Rect2f around(std::min({shoulder.x, elbow.x, wrist.x}) - f, std::min({shoulder.y, elbow.y, wrist.y}) - f,
                      std::abs(std::max({shoulder.x, elbow.x, wrist.x}) - std::min({shoulder.x, elbow.x, wrist.x})) + 2 * f,
                      std::abs(std::max({shoulder.y, elbow.y, wrist.y}) - std::min({shoulder.y, elbow.y, wrist.y})) + 2 * f);
    Shape skinPart = shapeOver(around), sleeve = shapeOver(around);
    cv::Point2f sleeveEnd = p.longSleeves ? wrist + (elbow - wrist) * 0.12f : shoulder + (elbow - shoulder) * 0.5f;
    addTaper(skinPart, elbow, wrist, 0.42f * f, 0.32f * f);
    addCapsule(skinPart, shoulder, elbow, 0.42f * f);
    if (p.longSleeves) {
        addTaper(sleeve, elbow, sleeveEnd, 0.48f * f, 0.4f * f);
    }
    addTaper(sleeve, shoulder, p.longSleeves ? elbow : sleeveEnd, 0.55f * f, 0.5f * f);
    cv::Point2f middle = (elbow + wrist) * 0.5f;
    paintShaped(picture, light, skinPart, p.skin * 0.9f, middle, 0.25f * f, towardLight, 0.55f);
    cv::Mat1f cover = coverage(sleeve);
    cv::Mat1f shading = roundShading(sleeve, cover, (shoulder + elbow) * 0.5f, 0.3f * f, towardLight, 0.55f);
    paint(picture, sleeve, cover, shirtColour(sleeve, light, p, shading));
}

static cv::Point2f shoulderOf(const Person& p, float side) {
    return {p.centreX + side * 1.12f * p.faceWidth, shoulderRow(p) + 0.4f * p.faceWidth};
}

static void hangingArm(cv::Mat3f& picture, const cv::Mat3f& light, const Person& p, float side, cv::Vec2f towardLight) {
    cv::Point2f shoulder = shoulderOf(p, side);
    cv::Point2f elbow = shoulder + cv::Point2f(side * 0.2f * p.faceWidth, 1.9f * p.faceWidth);
    cv::Point2f wrist = elbow + cv::Point2f(side * 0.1f * p.faceWidth, 1.7f * p.faceWidth);
    arm(picture, light, p, shoulder, elbow, wrist, towardLight);
}

static float raisedSide(const Person& person, const HandPose& pose) {
    return pose.centre.x < person.centreX ? -1.0f : 1.0f;
}

void drawBody(cv::Mat3f& picture, const cv::Mat3f& light, const Person& person, const HandPose& pose,
              cv::Vec2f towardLight) {
    // The arm on the hand's side of the body is the one raised.
    for (float side : {-1.0f, 1.0f}) {
        if (!pose.raised || side != raisedSide(person, pose)) {
            hangingArm(picture, light, person, side, towardLight);
        }
    }
    torso(picture, light, person, towardLight);
    head(picture, light, person, towardLight);
}

HandTruth drawRaisedHand(cv::Mat3f& picture, const cv::Mat3f& light, const Person& person, const HandPose& pose,
                         cv::Vec2f towardLight, const HandLook& look) {
    if (!pose.raised) {
        return HandTruth();
    }
    float side = raisedSide(person, pose);
    cv::Point2f down;
    cv::Point2f wrist = wristOf(pose, down);
    cv::Point2f shoulder = shoulderOf(person, side);
    cv::Point2f toShoulder(shoulder.x > wrist.x ? 0.4f : -0.4f, 0);
    cv::Point2f forearm = down + toShoulder;
    cv::Point2f elbow = wrist + forearm * (1.5f * person.faceWidth / (float)cv::norm(forearm));
    arm(picture, light, person, shoulder, elbow, wrist, towardLight);
    // A raised hand's palm is paler than its back; seen from the front, a raised right hand's palm
    // shows its thumb away from the body's middle.
    cv::Vec3f palm = person.skin * 0.75f + linearColour(226, 170, 150) * 0.25f;
    if (look.photo && pose.sign == PAPER_SIGN) {
        return drawPhotoHand(picture, light, *look.photo, pose, -side, person.skin);
    }
    if (!look.drawn) {
        return drawHandBody(picture, light, pose, -side, palm, towardLight);
    }
    // The drawn fists show their backs.
    bool open = pose.sign == PAPER_SIGN;
    return drawHand(picture, light, pose, open ? -side : side, open ? palm : person.skin, towardLight);
}
