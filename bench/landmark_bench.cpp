// Cost of one run of the hand landmark model: the square cut, the network and the landmarks brought back.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <vector>

#include "webcam/landmark_model.h"

namespace {

// A frame of plain gradients with a lit room's camera grain (about two grey levels), so that the
// square is cleaned as it usually is: the network's cost does not depend on what it sees.
std::vector<unsigned char> grainyFrame() {
    std::vector<unsigned char> rgb(320 * 240 * 3);
    unsigned seed = 1;
    for (int i = 0; i < 320 * 240; ++i) {
        int base[3] = {(i % 320) * 255 / 319, (i / 320) * 255 / 239, 128};
        for (int c = 0; c < 3; ++c) {
            seed = seed * 1664525u + 1013904223u;
            int grain = (int)(seed >> 29) - 4 + (int)((seed >> 26) & 1);
            rgb[3 * i + c] = (unsigned char)std::min(255, std::max(0, base[c] + grain));
        }
    }
    return rgb;
}

void BM_LandmarkModelRun(benchmark::State& state) {
    LandmarkModel model(VANTORIX_DATA_DIR "/hand_landmark.onnx");
    if (!model.loaded()) {
        state.SkipWithError("data/hand_landmark.onnx cannot be read");
        return;
    }
    std::vector<unsigned char> rgb = grainyFrame();
    HandSquare square;
    square.centreX = 240;
    square.centreY = 100;
    square.side = 90;
    square.turn = 0.3f;
    HandLandmarks out;
    for (auto _ : state) {
        model.run(rgb.data(), square, nullptr, out);
        benchmark::DoNotOptimize(out.presence);
    }
}
BENCHMARK(BM_LandmarkModelRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
