// Speed of the room way of finding hands: both players' hands read from a lit room where they move.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

#include "bench/hand_frames.h"
#include "webcam/room_hands.h"

namespace {

const int EMPTY_FRAMES = 10;
const int STAND_FRAMES = 6;
const int PLAY_FRAMES = 48;

typedef std::chrono::steady_clock Clock;
typedef std::vector<unsigned char> Rgb;

void put(Rgb& rgb, int column, int row, int r, int g, int b) {
    unsigned char* p = &rgb[(row * IMAGE_WIDTH + column) * 3];
    p[0] = (unsigned char)std::clamp(r, 0, 255);
    p[1] = (unsigned char)std::clamp(g, 0, 255);
    p[2] = (unsigned char)std::clamp(b, 0, 255);
}

bool inEllipse(int column, int row, int cx, int cy, int halfWidth, int halfHeight) {
    long dx = column - cx, dy = row - cy;
    return dx * dx * halfHeight * halfHeight + dy * dy * halfWidth * halfWidth <=
           (long)halfWidth * halfWidth * halfHeight * halfHeight;
}

// A player standing at column cx, swaying a little: shirt, neck, face and hair; the raised
// hand (when shape >= 0) at (handX, handY) with its forearm rising from below.
struct Player {
    int cx, shirtR, shirtG, shirtB, shape, handX, handY;
};

bool onSkin(const Player& p, int column, int row) {
    bool face = inEllipse(column, row, p.cx, 75, 22, 28) && row > 54;
    bool neck = row >= 100 && row < 112 && column > p.cx - 12 && column < p.cx + 12;
    bool hand = p.shape >= 0 && onHand(p.shape, p.handX, p.handY, column, row);
    bool forearm = p.shape >= 0 && row > p.handY + 15 && std::abs(column - p.handX - (row - p.handY) / 8) < 9;
    return face || neck || hand || forearm;
}

void paintPlayer(Rgb& rgb, const Player& p, int column, int row, int grain) {
    if (onSkin(p, column, row)) {
        put(rgb, column, row, 205 + grain, 150 + grain, 120 + grain);
    } else if (inEllipse(column, row, p.cx, 56, 24, 12)) {
        put(rgb, column, row, 40 + grain, 30 + grain, 20 + grain);
    } else if (row >= 110 && column > p.cx - 36 && column < p.cx + 36) {
        put(rgb, column, row, p.shirtR + grain, p.shirtG + grain, p.shirtB + grain);
    }
}

// A light wall lit from the left, a beige picture on it, a darker floor; the players when given.
Rgb roomFrame(unsigned int seed, const std::vector<Player>& players) {
    FrameRandom random(seed);
    Rgb rgb(IMAGE_WIDTH * IMAGE_HEIGHT * 3);
    for (int row = 0; row < IMAGE_HEIGHT; row++) {
        for (int column = 0; column < IMAGE_WIDTH; column++) {
            int grain = random.below(9) - 4, light = 200 - column / 8 - (row > 170 ? 60 : 0);
            bool picture = column >= 20 && column < 70 && row >= 30 && row < 90;
            put(rgb, column, row, (picture ? 180 : light) + grain, (picture ? 140 : light - 5) + grain,
                (picture ? 100 : light - 20) + grain);
            for (const Player& p : players) {
                paintPlayer(rgb, p, column, row, grain);
            }
        }
    }
    return rgb;
}

struct Scene {
    std::vector<Rgb> empty, stand, play;
};

const Scene& movingScene() {
    static Scene scene;
    if (!scene.play.empty()) {
        return scene;
    }
    for (int n = 0; n < EMPTY_FRAMES; n++) {
        scene.empty.push_back(roomFrame(n, {}));
    }
    for (int n = 0; n < STAND_FRAMES; n++) {
        scene.stand.push_back(roomFrame(100 + n, {{240 + n % 3, 40, 60, 150, -1, 0, 0}, {80 - n % 3, 120, 40, 40, -1, 0, 0}}));
    }
    for (int n = 0; n < PLAY_FRAMES; n++) {
        // Each hand sweeps its half, changing its sign every eight frames.
        int sweep = (n % 24) * 5 - 60;
        Player one = {240, 40, 60, 150, (n / 8) % 3, 240 - sweep, 175 + (n % 6)};
        Player two = {80, 120, 40, 40, (n / 8 + 1) % 3, 80 + sweep, 178 - (n % 5)};
        scene.play.push_back(roomFrame(200 + n, {one, two}));
    }
    return scene;
}

// This thread's processor time: what the finder costs, whatever else the shared machine runs.
double threadSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec + now.tv_nsec * 1e-9;
}

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[std::min(values.size() - 1, (size_t)(share * values.size()))];
}

// One read() is one analysed frame of the fight, both players together.
void BM_RoomHandsRead(benchmark::State& state) {
    const Scene& scene = movingScene();
    RoomHands hands(DEFAULT_FACE_MODEL);
    for (const Rgb& frame : scene.empty) {
        hands.learnEmptyRoom(frame.data());
    }
    for (const Rgb& frame : scene.stand) {
        hands.learnPlayers(frame.data());
    }
    std::vector<double> times, cpu;
    int n = 0, found = 0;
    for (auto _ : state) {
        Clock::time_point start = Clock::now();
        double cpuStart = threadSeconds();
        HandReading reading = hands.read(scene.play[n++ % PLAY_FRAMES].data());
        cpu.push_back(threadSeconds() - cpuStart);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        state.SetIterationTime(seconds);
        times.push_back(seconds);
        found += reading.player1.found + reading.player2.found;
    }
    state.counters["median_us"] = percentile(times, 0.5) * 1e6;
    state.counters["p99_us"] = percentile(times, 0.99) * 1e6;
    state.counters["cpu_median_us"] = percentile(cpu, 0.5) * 1e6;
    state.counters["cpu_p99_us"] = percentile(cpu, 0.99) * 1e6;
    state.counters["hands_per_frame"] = times.empty() ? 0 : (double)found / times.size();
}
BENCHMARK(BM_RoomHandsRead)->UseManualTime()->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace
