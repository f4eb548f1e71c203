// Cost of one run of the hand landmark model: the square cut, the network and the landmarks brought back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "webcam/landmark_model.h"

namespace {

// A frame of plain gradients with a lit room's camera grain (about two grey levels), so that the
// square is cleaned as it usually is (the network's cost does not depend on what it sees), or
// with a very dim room's (eight times as much), where the still room is faded too.
std::vector<unsigned char> grainyFrame(int times) {
    std::vector<unsigned char> rgb(320 * 240 * 3);
    unsigned seed = 1;
    for (int i = 0; i < 320 * 240; ++i) {
        int base[3] = {(i % 320) * 255 / 319, (i / 320) * 255 / 239, 128};
        for (int c = 0; c < 3; ++c) {
            seed = seed * 1664525u + 1013904223u;
            int grain = times * ((int)(seed >> 29) - 4 + (int)((seed >> 26) & 1));
            rgb[3 * i + c] = (unsigned char)std::min(255, std::max(0, base[c] + grain));
        }
    }
    return rgb;
}

void BM_LandmarkModelRun(benchmark::State& state) {
    bool xnnpack = state.range(1) == 1;
    const char* file = state.range(2) == 1 ? "hand_landmark_full.onnx" : "hand_landmark.onnx";
    LandmarkModel model(std::string(VANTORIX_DATA_DIR "/") + file, xnnpack);
    if (!model.loaded() || model.fast() != xnnpack) {
        state.SkipWithError((std::string("data/") + file + " cannot be read or run that way").c_str());
        return;
    }
    bool dim = state.range(0) == 1;
    std::vector<unsigned char> rgb = grainyFrame(dim ? 8 : 1);
    // The picture's right quarter moving, half of the square on it.
    std::vector<unsigned char> moving(160 * 120, 0);
    for (int y = 0; y < 120; ++y) {
        std::fill(moving.begin() + y * 160 + 120, moving.begin() + y * 160 + 160, 255);
    }
    HandSquare square;
    square.centreX = 240;
    square.centreY = 100;
    square.side = 90;
    square.turn = 0.3f;
    HandLandmarks out;
    for (auto _ : state) {
        model.run(rgb.data(), square, moving.data(), out);
        benchmark::DoNotOptimize(out.presence);
    }
}
// A lit room (0) or a very dim one (1); the network run by XNNPACK (1, as the game runs it) or
// by OpenCV's dnn (0); the lite model (0, the one that reads every hand) or the full one (1, asked
// where the lite one is unsure).
BENCHMARK(BM_LandmarkModelRun)
    ->Args({0, 1, 0})
    ->Args({1, 1, 0})
    ->Args({0, 0, 0})
    ->Args({0, 1, 1})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2.0);

}  // namespace
