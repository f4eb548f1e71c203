// Drawn rooms and players for the room finder's tests, pixel by pixel without OpenCV.
#include "tests/webcam/room_scene_frames.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "tests/support/files.h"
#include "tests/support/program.h"

namespace {

const int WIDTH = 320, HEIGHT = 240;
enum Paint { WALL, PICTURE, FLOOR, SHIRT, HAIR, SKIN, HAND, SHADE, LIPS, DOOR };
const int COLOURS[][3] = {{200, 196, 186}, {196, 148, 116}, {120, 104, 90}, {46, 62, 140}, {52, 36, 26},
                          {206, 150, 122}, {206, 150, 122}, {150, 100, 80},  {160, 80, 74},  {206, 150, 122}};

bool inEllipse(int x, int y, int cx, int cy, int rx, int ry) {
    double dx = (double)(x - cx) / rx, dy = (double)(y - cy) / ry;
    return dx * dx + dy * dy <= 1;
}

bool inBar(int x, int y, int x0, int y0, int x1, int y1, double halfWidth) {
    double vx = x1 - x0, vy = y1 - y0, t = ((x - x0) * vx + (y - y0) * vy) / (vx * vx + vy * vy);
    t = std::clamp(t, 0.0, 1.0);
    double dx = x - (x0 + t * vx), dy = y - (y0 + t * vy);
    return dx * dx + dy * dy <= halfWidth * halfWidth;
}

// Palm and fingers: rock a fist, paper four fingers and a thumb, scissors two fingers in a V.
bool onHand(int sign, int hx, int hy, int x, int y) {
    if (inEllipse(x, y, hx, hy, 15, 17)) {
        return true;
    }
    if (sign == 2) {
        for (int f = 0; f < 4; ++f) {
            int fx = hx - 11 + f * 7 + (f - 1) * 2;
            if (inBar(x, y, fx, hy - 8, fx + (f - 1) * 4, hy - 40 + (f == 0 || f == 3 ? 7 : 0), 3)) {
                return true;
            }
        }
        return inBar(x, y, hx + 12, hy + 2, hx + 28, hy - 12, 3.5);
    }
    if (sign == 3) {
        return inBar(x, y, hx - 4, hy - 8, hx - 12, hy - 44, 3.5) || inBar(x, y, hx + 4, hy - 8, hx + 12, hy - 44, 3.5);
    }
    return false;
}

// Brows, eyes, the nose's shade and the lips, enough for a face cascade to find the face.
Paint facePaint(int dx, int y) {
    int side = std::abs(dx);
    if ((y >= 58 && y < 61 && side >= 3 && side <= 14) || inEllipse(side, y, 8, 66, 5, 3)) {
        return HAIR;
    }
    if ((y >= 61 && y < 71 && side >= 3 && side <= 15) || (y >= 71 && y < 80 && side <= 2) ||
        (y >= 80 && y < 83 && side <= 6)) {
        return SHADE;
    }
    return y >= 86 && y < 90 && side <= 8 ? LIPS : SKIN;
}

Paint paintAt(const DrawnPlayer& p, int x, int y, Paint under) {
    int faceX = p.standX + p.headShift;
    if (p.sign > 0 && onHand(p.sign, p.handX, p.handY, x, y)) {
        return HAND;
    }
    if (p.sign > 0 && inBar(x, y, p.handX, p.handY + 10, p.handX + 14, HEIGHT + 10, 8)) {
        return SKIN;  // the forearm
    }
    if (inEllipse(x, y, faceX, 52, 22, 12) && y < 56) {
        return HAIR;
    }
    if (inEllipse(x, y, faceX, 72, 20, 26)) {
        return facePaint(x - faceX, y);
    }
    if (y >= 94 && y < 112 && std::abs(x - faceX) < 10) {
        return SKIN;
    }
    return y >= 108 && std::abs(x - p.standX) < 42 ? SHIRT : under;
}

}  // namespace

DrawnFrame drawRoom(const std::vector<DrawnPlayer>& players, double light, unsigned int seed, bool doors) {
    DrawnFrame frame;
    frame.rgb.resize(WIDTH * HEIGHT * 3);
    long sums[2][3] = {{0, 0, 0}, {0, 0, 0}};
    unsigned int grain = seed * 2654435761u + 1;
    for (int y = 0; y < HEIGHT; ++y) {
        for (int x = 0; x < WIDTH; ++x) {
            Paint paint = y >= 190 ? FLOOR : (x % 160 >= 10 && x % 160 < 40 && y >= 20 && y < 70) ? PICTURE : WALL;
            if (doors && x % 160 >= 60 && x % 160 < 100 && y >= 110 && y < 190) {
                paint = DOOR;
            }
            for (size_t i = 0; i < players.size(); ++i) {
                Paint own = paintAt(players[i], x, y, paint);
                if (own == HAND && paint != HAND && i < 2) {
                    sums[i][0] += x;
                    sums[i][1] += y;
                    sums[i][2] += 1;
                }
                paint = own;
            }
            for (int c = 0; c < 3; ++c) {
                grain = grain * 1103515245u + 12345u;
                int value = (int)(COLOURS[paint][c] * light) + (int)((grain >> 16) % 9) - 4;
                frame.rgb[(y * WIDTH + x) * 3 + c] = (unsigned char)std::clamp(value, 0, 255);
            }
        }
    }
    for (size_t i = 0; i < players.size() && i < 2; ++i) {
        DrawnHand& hand = frame.hands[i];
        hand.shown = sums[i][2] > 0;
        hand.x = hand.shown ? (int)(sums[i][0] / sums[i][2]) : 0;
        hand.y = hand.shown ? (int)(sums[i][1] / sums[i][2]) : 0;
        int faceX = players[i].standX + players[i].headShift;
        hand.faceLeft = faceX - 22;
        hand.faceTop = 40;
        hand.faceRight = faceX + 22;
        hand.faceBottom = 112;
    }
    return frame;
}

void writePpm(const std::string& path, const std::vector<unsigned char>& rgb) {
    FILE* file = std::fopen(path.c_str(), "wb");
    if (file != nullptr) {
        std::fprintf(file, "P6\n%d %d\n255\n", WIDTH, HEIGHT);
        std::fwrite(rgb.data(), 1, rgb.size(), file);
        std::fclose(file);
    }
}

ToolRun runHandsRead(const std::vector<std::string>& arguments) {
    Launch launch;
    launch.commandLine = {std::string(VANTORIX_TEST_TOOLS_DIR) + "/hands_read"};
    launch.commandLine.insert(launch.commandLine.end(), arguments.begin(), arguments.end());
    launch.workingDirectory = "/tmp";
    RunningProgram tool(launch);
    ToolRun run;
    run.status = tool.waitForExit(EXIT_TIMEOUT_MS);
    run.out = linesOf(tool.output());
    run.err = linesOf(tool.errors());
    return run;
}
