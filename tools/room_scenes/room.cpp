// Rooms: walls, doors, shelves, posters, lamps and windows, lit as the condition says.
#include "room.h"

#include <cmath>

#include <opencv2/imgproc.hpp>

#include "canvas.h"

static cv::Vec3f jitter(cv::Vec3f colour, cv::RNG& rng, float amount) {
    return cv::Vec3f(colour[0] * (float)rng.uniform(1 - amount, 1 + amount),
                     colour[1] * (float)rng.uniform(1 - amount, 1 + amount),
                     colour[2] * (float)rng.uniform(1 - amount, 1 + amount));
}

static void box(cv::Mat3f& picture, float x, float y, float w, float h, cv::Vec3f colour) {
    cv::rectangle(picture, cv::Rect((int)x, (int)y, (int)w, (int)h), cv::Scalar(colour[0], colour[1], colour[2]),
                  cv::FILLED);
}

// Paint is never quite even: a few percent of slow blotches across the wall.
static void unevenWall(cv::Mat3f& albedo, cv::RNG& rng, float amount) {
    cv::Mat1f coarse(6, 8);
    rng.fill(coarse, cv::RNG::UNIFORM, 1 - amount, 1 + amount);
    cv::Mat1f fine;
    cv::resize(coarse, fine, albedo.size(), 0, 0, cv::INTER_CUBIC);
    for (int y = 0; y < albedo.rows; ++y) {
        for (int x = 0; x < albedo.cols; ++x) {
            albedo(y, x) *= fine(y, x);
        }
    }
}

// A poster or a framed picture: a pale ground with a few coloured blocks and lines of print.
static void poster(cv::Mat3f& albedo, cv::RNG& rng, float x, float y, float w, float h) {
    box(albedo, x - 1, y - 1, w + 2, h + 2, linearColour(40, 36, 34));
    box(albedo, x, y, w, h, jitter(linearColour(225, 220, 205), rng, 0.1f));
    for (int i = 0; i < 3; ++i) {
        cv::Vec3f ink = linearColour(rng.uniform(20, 240), rng.uniform(20, 200), rng.uniform(20, 240));
        float bw = w * (float)rng.uniform(0.3, 0.8), bh = h * (float)rng.uniform(0.15, 0.5);
        box(albedo, x + (float)rng.uniform(0.0f, w - bw), y + (float)rng.uniform(0.0f, h - bh), bw, bh, ink);
    }
    for (float line = y + h * 0.75f; line < y + h - 2; line += 3) {
        box(albedo, x + 2, line, w * (float)rng.uniform(0.3, 0.9) - 2, 1, linearColour(60, 60, 60));
    }
}

static void shelf(cv::Mat3f& albedo, cv::RNG& rng, float x, float y, float w, float h) {
    cv::Vec3f wood = jitter(linearColour(120, 84, 52), rng, 0.25f);
    box(albedo, x, y, w, h, wood * 0.5f);
    for (float board = y; board < y + h; board += 28) {
        box(albedo, x, board, w, 3, wood);
        for (float book = x + 2; book < x + w - 4; book += (float)rng.uniform(3, 7)) {
            float bookH = (float)rng.uniform(14, 24);
            box(albedo, book, board + 28 - bookH, (float)rng.uniform(2, 5), bookH,
                linearColour(rng.uniform(30, 220), rng.uniform(30, 200), rng.uniform(30, 200)));
        }
    }
}

static void plant(cv::Mat3f& albedo, cv::RNG& rng, float x, float floor) {
    box(albedo, x - 8, floor - 18, 16, 18, linearColour(150, 80, 50));
    for (int i = 0; i < 9; ++i) {
        cv::Point centre((int)(x + rng.uniform(-14, 14)), (int)(floor - 22 - rng.uniform(0, 40)));
        cv::Vec3f leaf = jitter(linearColour(50, 110, 45), rng, 0.4f);
        cv::ellipse(albedo, centre, cv::Size(rng.uniform(4, 9), rng.uniform(2, 4)), rng.uniform(0, 180), 0, 360,
                    cv::Scalar(leaf[0], leaf[1], leaf[2]), cv::FILLED, cv::LINE_AA);
    }
}

// A window's glass: sky above, trees and a building further down, all glowing.
static void windowView(cv::Mat3f& radiance, cv::RNG& rng, cv::Rect pane, float glow) {
    for (int y = pane.y; y < pane.y + pane.height; ++y) {
        float t = (float)(y - pane.y) / pane.height;
        cv::Vec3f sky = cv::Vec3f(0.75f + 0.2f * t, 0.85f + 0.1f * t, 1.0f) * glow;
        cv::line(radiance, cv::Point(pane.x, y), cv::Point(pane.x + pane.width - 1, y),
                 cv::Scalar(sky[0], sky[1], sky[2]));
    }
    cv::Mat3f view = radiance(pane);
    for (int i = 0; i < 6; ++i) {
        cv::Point centre(rng.uniform(0, pane.width), (int)(pane.height * rng.uniform(0.55, 1.0)));
        cv::Vec3f tree = cv::Vec3f(0.25f, 0.4f, 0.22f) * glow * (float)rng.uniform(0.25, 0.5);
        cv::ellipse(view, centre, cv::Size(rng.uniform(6, 20), rng.uniform(6, 18)), 0, 0, 360,
                    cv::Scalar(tree[0], tree[1], tree[2]), cv::FILLED, cv::LINE_AA);
    }
}

static void windowFrame(cv::Mat3f& radiance, cv::Rect pane, cv::Vec3f frame) {
    cv::Scalar colour(frame[0], frame[1], frame[2]);
    cv::rectangle(radiance, pane, colour, 3);
    cv::line(radiance, cv::Point(pane.x + pane.width / 2, pane.y), cv::Point(pane.x + pane.width / 2, pane.y + pane.height),
             colour, 2);
    cv::line(radiance, cv::Point(pane.x, pane.y + pane.height / 3), cv::Point(pane.x + pane.width, pane.y + pane.height / 3),
             colour, 2);
}

// Light on a plane: the condition's colour and level, more on one side, a little less low down.
static cv::Mat3f lightField(const Condition& condition, float level, float side, float gradient) {
    cv::Mat3f light(FRAME_HEIGHT, FRAME_WIDTH);
    for (int y = 0; y < FRAME_HEIGHT; ++y) {
        for (int x = 0; x < FRAME_WIDTH; ++x) {
            float across = (x - FRAME_WIDTH / 2.0f) / (FRAME_WIDTH / 2.0f);
            float l = level * (1 + side * gradient * across) * (1 - 0.12f * y / FRAME_HEIGHT);
            light(y, x) = condition.lightColour * l;
        }
    }
    return light;
}

static void lampPool(cv::Mat3f& light, const Condition& condition, cv::Point2f lamp, float strength) {
    for (int y = 0; y < light.rows; ++y) {
        for (int x = 0; x < light.cols; ++x) {
            float d2 = ((x - lamp.x) * (x - lamp.x) + (y - lamp.y) * (y - lamp.y)) / (70.0f * 70.0f);
            light(y, x) += condition.lightColour * (strength * std::exp(-d2));
        }
    }
}

static void livingRoomThings(cv::Mat3f& albedo, cv::RNG& rng, int ceiling, int floor) {
    box(albedo, 0, (float)floor, FRAME_WIDTH, (float)(FRAME_HEIGHT - floor),
        jitter(linearColour(140, 100, 70), rng, 0.3f));
    box(albedo, 0, (float)floor - 4, FRAME_WIDTH, 4, linearColour(215, 210, 200));
    float doorX = (float)rng.uniform(10, 260);
    box(albedo, doorX - 3, (float)ceiling + 12, 52, (float)(floor - ceiling - 12), linearColour(200, 196, 188));
    box(albedo, doorX, (float)ceiling + 15, 46, (float)(floor - ceiling - 15), jitter(linearColour(150, 110, 75), rng, 0.3f));
    shelf(albedo, rng, (float)rng.uniform(0, 250), (float)ceiling + (float)rng.uniform(10, 40), 60, 84);
    poster(albedo, rng, (float)rng.uniform(20, 280), (float)ceiling + (float)rng.uniform(10, 40), 26, 34);
    plant(albedo, rng, (float)rng.uniform(20, 300), (float)floor);
    // The back of a sofa between and behind the players.
    cv::Vec3f sofa = jitter(linearColour(rng.uniform(40, 160), rng.uniform(40, 120), rng.uniform(40, 140)), rng, 0.1f);
    float sofaX = (float)rng.uniform(40, 180);
    box(albedo, sofaX, (float)floor - 40, 110, 40, sofa);
    box(albedo, sofaX, (float)floor - 46, 110, 8, sofa * 1.15f);
}

static void officeThings(cv::Mat3f& albedo, cv::RNG& rng, int ceiling, int floor) {
    box(albedo, 0, (float)floor, FRAME_WIDTH, (float)(FRAME_HEIGHT - floor), linearColour(90, 95, 100));
    float board = (float)rng.uniform(20, 180);
    box(albedo, board - 2, (float)ceiling + 18, 104, 62, linearColour(150, 150, 155));
    box(albedo, board, (float)ceiling + 20, 100, 58, linearColour(235, 238, 240));
    for (int i = 0; i < 4; ++i) {
        float y = (float)ceiling + 26 + i * 11;
        box(albedo, board + 6, y, (float)rng.uniform(30, 85), 2, linearColour(30, 60, rng.uniform(60, 200)));
    }
    for (int i = 0; i < 3; ++i) {
        poster(albedo, rng, (float)rng.uniform(0, 290), (float)ceiling + (float)rng.uniform(8, 80), 28, 38);
    }
    shelf(albedo, rng, (float)rng.uniform(0, 260), (float)floor - 70, 60, 70);
    // Desk partitions of another row of desks.
    box(albedo, 0, (float)floor - 30, FRAME_WIDTH, 30, jitter(linearColour(110, 120, 135), rng, 0.1f));
}

// A dark curtain or a dark painted wall with soft folds, as the old way wants behind the players.
static void darkWall(cv::Mat3f& albedo, cv::RNG& rng) {
    cv::Vec3f cloth = jitter(linearColour(22, 22, 26), rng, 0.2f);
    for (int x = 0; x < FRAME_WIDTH; ++x) {
        float fold = 0.75f + 0.25f * std::sin(x * 0.21f + (float)rng.uniform(0.0, 0.05));
        cv::line(albedo, cv::Point(x, 0), cv::Point(x, FRAME_HEIGHT - 1),
                 cv::Scalar(cloth[0] * fold, cloth[1] * fold, cloth[2] * fold));
    }
}

Room makeRoom(const Condition& condition, cv::RNG& rng) {
    Room room;
    int ceiling = rng.uniform(-20, 20), floor = rng.uniform(200, 225);
    cv::Vec3f wall = condition.room == OFFICE_ROOM ? jitter(linearColour(215, 218, 220), rng, 0.05f)
                                                   : jitter(linearColour(rng.uniform(170, 230), rng.uniform(160, 215), rng.uniform(140, 200)), rng, 0.05f);
    cv::Mat3f albedo(FRAME_HEIGHT, FRAME_WIDTH, wall);
    if (condition.room == DARK_WALL_ROOM) {
        darkWall(albedo, rng);
    } else {
        unevenWall(albedo, rng, 0.05f);
        if (ceiling > 0) {
            box(albedo, 0, 0, FRAME_WIDTH, (float)ceiling, wall * 0.8f);
        }
        if (condition.room == OFFICE_ROOM) {
            officeThings(albedo, rng, ceiling, floor);
        } else {
            livingRoomThings(albedo, rng, ceiling, floor);
        }
    }
    room.lightSide = rng.uniform(0, 2) ? 1.0f : -1.0f;
    float side = room.lightSide * condition.sideLight;
    room.roomLight = lightField(condition, condition.roomLight, side, 0.5f);
    room.playerLight = lightField(condition, condition.playerLight, side, 0.6f);
    cv::Point2f lamp((float)rng.uniform(20, 300), (float)rng.uniform(50, 90));
    if (condition.lampGlow > 0) {
        lampPool(room.roomLight, condition, lamp, condition.roomLight * 1.2f);
    }
    room.backdrop = albedo.mul(room.roomLight);
    if (condition.lampGlow > 0) {
        cv::Vec3f pole = linearColour(40, 40, 40) * condition.roomLight;
        cv::line(room.backdrop, cv::Point((int)lamp.x, (int)lamp.y), cv::Point((int)lamp.x, floor),
                 cv::Scalar(pole[0], pole[1], pole[2]), 2);
        cv::Vec3f shade = condition.lightColour * condition.lampGlow;
        std::vector<cv::Point> cone = {cv::Point((int)lamp.x - 10, (int)lamp.y - 18), cv::Point((int)lamp.x + 10, (int)lamp.y - 18),
                                       cv::Point((int)lamp.x + 17, (int)lamp.y + 2), cv::Point((int)lamp.x - 17, (int)lamp.y + 2)};
        cv::fillConvexPoly(room.backdrop, cone, cv::Scalar(shade[0], shade[1], shade[2]), cv::LINE_AA);
    }
    cv::Vec3f frame = linearColour(225, 225, 220) * condition.roomLight;
    if (condition.sideWindow > 0) {
        cv::Rect pane(rng.uniform(0, 2) ? 6 : 244, std::max(ceiling, 0) + 20, 70, 90);
        windowView(room.backdrop, rng, pane, condition.sideWindow);
        windowFrame(room.backdrop, pane, frame);
    }
    if (condition.backWindow > 0) {
        cv::Rect pane(rng.uniform(50, 110), std::max(ceiling, 0) + 8, rng.uniform(110, 170), rng.uniform(120, 160));
        windowView(room.backdrop, rng, pane, condition.backWindow);
        windowFrame(room.backdrop, pane, frame);
    }
    return room;
}
