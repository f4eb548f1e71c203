// Cost of one run of the hand landmark model: the square cut, the network and the landmarks brought back.
#include <benchmark/benchmark.h>

#include <vector>

#include "webcam/landmark_model.h"

namespace {

// A frame of plain gradients: the model's cost does not depend on what it sees.
std::vector<unsigned char> gradientFrame() {
    std::vector<unsigned char> rgb(320 * 240 * 3);
    for (int i = 0; i < 320 * 240; ++i) {
        rgb[3 * i] = (unsigned char)(i % 320);
        rgb[3 * i + 1] = (unsigned char)(i / 320);
        rgb[3 * i + 2] = 128;
    }
    return rgb;
}

void BM_LandmarkModelRun(benchmark::State& state) {
    LandmarkModel model(VANTORIX_DATA_DIR "/hand_landmark.onnx");
    if (!model.loaded()) {
        state.SkipWithError("data/hand_landmark.onnx cannot be read");
        return;
    }
    std::vector<unsigned char> rgb = gradientFrame();
    HandSquare square;
    square.centreX = 240;
    square.centreY = 100;
    square.side = 90;
    square.turn = 0.3f;
    HandLandmarks out;
    for (auto _ : state) {
        model.run(rgb.data(), square, out);
        benchmark::DoNotOptimize(out.presence);
    }
}
BENCHMARK(BM_LandmarkModelRun)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace
