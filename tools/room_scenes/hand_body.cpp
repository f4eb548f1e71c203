// A hand modelled as a body: a palm, jointed fingers and a thumb as rounded solids, ray-marched
// and lit, so that it has a real hand's relief and proportions.
#include "hand_body.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "canvas.h"

namespace {

struct Vec {
    float x, y, z;
    Vec operator+(Vec o) const { return {x + o.x, y + o.y, z + o.z}; }
    Vec operator-(Vec o) const { return {x - o.x, y - o.y, z - o.z}; }
    Vec operator*(float s) const { return {x * s, y * s, z * s}; }
};
float dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float length(Vec a) { return std::sqrt(dot(a, a)); }
Vec unit(Vec a) { return a * (1 / std::max(length(a), 1e-6f)); }

// A bone of a finger: a capsule narrowing from one end to the other.
struct Bone {
    Vec from, to;
    float fromRadius, toRadius;
    float distance(Vec p) const {
        Vec along = to - from, off = p - from;
        float h = std::clamp(dot(off, along) / dot(along, along), 0.0f, 1.0f);
        return length(off - along * h) - (fromRadius + (toRadius - fromRadius) * h);
    }
};

// The hand's own space: palm width 1, the palm's middle at the origin, fingers up (+y), the
// palm's face towards the camera (+z), the thumb on +x.
struct Body {
    std::vector<std::vector<Bone>> digits;  // four fingers, then the thumb

    static float smoothMin(float a, float b, float k) {
        float h = std::clamp(0.5f + 0.5f * (b - a) / k, 0.0f, 1.0f);
        return b + (a - b) * h - k * h * (1 - h);
    }
    static float palm(Vec p) {
        // A rounded slab, narrower towards the wrist, with the ball of the thumb.
        float narrowing = 1 - 0.12f * std::clamp(-p.y, 0.0f, 0.5f);
        Vec q{std::fabs(p.x / narrowing) - 0.3f, std::fabs(p.y - 0.02f) - 0.36f, std::fabs(p.z) - 0.06f};
        Vec outside{std::max(q.x, 0.0f), std::max(q.y, 0.0f), std::max(q.z, 0.0f)};
        float box = length(outside) + std::min(std::max(q.x, std::max(q.y, q.z)), 0.0f) - 0.16f;
        float ball = length(p - Vec{0.25f, -0.22f, 0.06f}) - 0.2f;
        return smoothMin(box, ball, 0.1f);
    }
    float distance(Vec p) const {
        float hand = palm(p);
        float best = hand;
        for (const std::vector<Bone>& digit : digits) {
            float d = 1e9f;
            for (const Bone& bone : digit) {
                d = std::min(d, bone.distance(p));
            }
            best = std::min(best, smoothMin(hand, d, 0.07f));
        }
        return best;
    }
};

// A finger from its root, spread by degrees towards the thumb, its three joints bent by degrees
// towards the palm's face.
std::vector<Bone> fingerBones(Vec root, float spread, const float bends[3], const float lengths[3], float radius) {
    float s = spread * (float)CV_PI / 180;
    Vec straight{std::sin(s), std::cos(s), 0}, forward{0, 0, 1};
    std::vector<Bone> bones;
    float angle = 0, r = radius;
    Vec at = root;
    for (int i = 0; i < 3; ++i) {
        angle += bends[i] * (float)CV_PI / 180;
        Vec to = at + (straight * std::cos(angle) + forward * std::sin(angle)) * lengths[i];
        bones.push_back(Bone{at, to, r, r * 0.9f});
        at = to;
        r *= 0.9f;
    }
    return bones;
}

std::vector<Bone> thumbBones(const Vec directions[3], const float lengths[3]) {
    std::vector<Bone> bones;
    Vec at{0.3f, -0.2f, 0.08f};
    float r = 0.12f;
    for (int i = 0; i < 3; ++i) {
        Vec to = at + unit(directions[i]) * lengths[i];
        bones.push_back(Bone{at, to, r, r * 0.9f});
        at = to;
        r *= 0.9f;
    }
    return bones;
}

Body bodyOf(int sign) {
    // Index, middle, ring, little: roots, spread, lengths of the three bones, thickness.
    const Vec roots[4] = {{0.3f, 0.44f, 0}, {0.1f, 0.48f, 0}, {-0.11f, 0.46f, 0}, {-0.3f, 0.4f, 0}};
    const float spreads[4] = {7, 0, -7, -16};
    const float lengths[4][3] = {{0.4f, 0.24f, 0.19f}, {0.45f, 0.28f, 0.2f}, {0.42f, 0.27f, 0.19f}, {0.33f, 0.2f, 0.17f}};
    const float radii[4] = {0.095f, 0.1f, 0.095f, 0.085f};
    const float straight[3] = {4, 4, 3}, curled[3] = {80, 100, 65};
    Body body;
    for (int f = 0; f < 4; ++f) {
        bool stretched = sign == PAPER_SIGN || (sign == SCISSORS_SIGN && f < 2);
        float spread = spreads[f] * (sign == SCISSORS_SIGN && f < 2 ? 2.0f : 1.0f);
        body.digits.push_back(fingerBones(roots[f], spread, stretched ? straight : curled, lengths[f], radii[f]));
    }
    const float thumbLengths[3] = {0.3f, 0.27f, 0.22f};
    if (sign == PAPER_SIGN) {
        const Vec out[3] = {{0.8f, 0.45f, 0.25f}, {0.75f, 0.65f, 0.1f}, {0.6f, 0.8f, 0.0f}};
        body.digits.push_back(thumbBones(out, thumbLengths));
    } else {
        // Folded across the curled fingers' middle bones.
        const Vec across[3] = {{0.1f, 0.6f, 0.8f}, {-0.85f, 0.35f, 0.3f}, {-0.95f, 0.05f, 0.0f}};
        body.digits.push_back(thumbBones(across, thumbLengths));
    }
    return body;
}

// The frame seen as the hand's own space: untilted, in palm widths, mirrored for the thumb's side,
// turned about the hand's upright axis as far as the pose's narrowing asks.
struct View {
    cv::Point2f centre;
    float palmWidth, thumbSide, cosT, sinT, cosY, sinY;

    View(const HandPose& pose, float thumbSide) : centre(pose.centre), palmWidth(pose.palmWidth), thumbSide(thumbSide) {
        float tilt = pose.tilt * (float)CV_PI / 180, yaw = std::acos(std::clamp(pose.turn, 0.2f, 1.0f));
        cosT = std::cos(tilt), sinT = std::sin(tilt), cosY = std::cos(yaw), sinY = std::sin(yaw);
    }
    // The ray through a frame point, from in front of the hand into it.
    void ray(float px, float py, Vec& origin, Vec& way) const {
        float dx = (px - centre.x) / palmWidth, dy = (py - centre.y) / palmWidth;
        float vx = (dx * cosT + dy * sinT) * thumbSide, vy = dx * sinT - dy * cosT;
        way = Vec{-sinY, 0, -cosY};
        origin = Vec{vx * cosY, vy, -vx * sinY} - way * 2.0f;
    }
    // A direction of the hand's space in the frame's: x right, y down, z towards the camera.
    Vec toFrame(Vec n) const {
        Vec view{n.x * cosY - n.z * sinY, n.y, n.x * sinY + n.z * cosY};
        float fx = view.x * thumbSide, fy = -view.y;
        return Vec{fx * cosT - fy * sinT, fx * sinT + fy * cosT, view.z};
    }
};

// Marches along the ray to the hand's surface; nearest is how close the ray came to it.
bool trace(const Body& body, Vec origin, Vec way, Vec& hit, float& nearest) {
    float t = 0;
    nearest = 1e9f;
    for (int step = 0; step < 64 && t < 4; ++step) {
        hit = origin + way * t;
        float d = body.distance(hit);
        nearest = std::min(nearest, d);
        if (d < 0.002f) {
            return true;
        }
        t += d * 0.9f;
    }
    return false;
}

// The light a surface point catches: facing the light, less in the creases between fingers and
// in a fist, which the nearby surface hides.
float shadeAt(const Body& body, Vec p, const View& view, Vec lightWay) {
    const float e = 0.004f;
    Vec n = unit(Vec{body.distance(p + Vec{e, 0, 0}) - body.distance(p - Vec{e, 0, 0}),
                     body.distance(p + Vec{0, e, 0}) - body.distance(p - Vec{0, e, 0}),
                     body.distance(p + Vec{0, 0, e}) - body.distance(p - Vec{0, 0, e})});
    float facing = std::max(dot(view.toFrame(n), lightWay), 0.0f);
    float hidden = 0;
    for (int k = 1; k <= 3; ++k) {
        float h = 0.06f * k;
        hidden += (h - body.distance(p + n * h)) / (float)(1 << k);
    }
    return (0.3f + 0.7f * facing) * std::clamp(1 - 3.0f * hidden, 0.25f, 1.0f);
}

}  // namespace

HandTruth drawHandBody(cv::Mat3f& picture, const cv::Mat3f& light, const HandPose& pose, float thumbSide,
                       cv::Vec3f skin, cv::Vec2f towardLight) {
    float reach = pose.palmWidth * 1.6f;
    Shape shape = shapeOver(cv::Rect2f(pose.centre.x - reach, pose.centre.y - reach, 2 * reach, 2 * reach));
    if (shape.box.empty()) {
        return HandTruth();
    }
    const Body body = bodyOf(pose.sign);
    const View view(pose, thumbSide);
    const Vec lightWay = unit(Vec{towardLight[0], towardLight[1], 1.1f});
    // Each pixel is the mean of SAMPLES x SAMPLES rays, so that fingers keep their partial pixels;
    // one whose middle ray passes farther than a pixel from the hand is left as it is.
    const int SAMPLES = 3, MIDDLE = SAMPLES / 2;
    const float pixel = 1 / pose.palmWidth;
    cv::Mat1f cover = cv::Mat1f::zeros(shape.box.size()), shading = cv::Mat1f::zeros(shape.box.size());
    for (int y = 0; y < shape.box.height; ++y) {
        for (int x = 0; x < shape.box.width; ++x) {
            Vec origin, way, middle;
            float nearest;
            view.ray((float)(shape.box.x + x), (float)(shape.box.y + y), origin, way);
            bool middleHit = trace(body, origin, way, middle, nearest);
            if (!middleHit && nearest > pixel) {
                continue;
            }
            float shade = 0;
            int hits = 0;
            for (int sy = 0; sy < SAMPLES; ++sy) {
                for (int sx = 0; sx < SAMPLES; ++sx) {
                    Vec p = middle;
                    bool hit = middleHit;
                    if (sx != MIDDLE || sy != MIDDLE) {
                        view.ray(shape.box.x + x + (sx + 0.5f) / SAMPLES - 0.5f,
                                 shape.box.y + y + (sy + 0.5f) / SAMPLES - 0.5f, origin, way);
                        hit = trace(body, origin, way, p, nearest);
                    }
                    if (hit) {
                        shade += shadeAt(body, p, view, lightWay);
                        ++hits;
                    }
                }
            }
            if (hits > 0) {
                cover(y, x) = hits / (float)(SAMPLES * SAMPLES);
                shading(y, x) = shade / hits;
            }
        }
    }
    paint(picture, shape, cover, litColour(light, shape.box, skin, shading));
    return truthOfCover(shape, cover, pose.palmWidth);
}
