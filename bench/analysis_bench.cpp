// Speed of the hand-sign chain on a frame with two hands, beside one copy of the same frame.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "bench/hand_frames.h"
#include "webcam/WebCam.h"

namespace {

// Image 2 keeps the untouched frame; the chain segments image 0 in place, the copy writes image 1.
const int KEPT = 2;
const int WORK = 0;
const int COPY = 1;
const int FRAME_COUNT = 8;

typedef std::chrono::steady_clock Clock;

double secondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

CWebCam& camera() {
    static CWebCam* cam = nullptr;
    if (cam == nullptr) {
        cam = new CWebCam();
    }
    return *cam;
}

// The chain exactly as the webcam worker runs it on each grabbed frame.
void runChain(CWebCam& cam) {
    cam.CalBiCouleur(WORK);
    cam.calculBarycentre(WORK);
    cam.calculVariance(WORK);
    cam.discriminateRPS();
}

// Puts frame n back into the work image, outside the timed part.
void restoreFrame(CWebCam& cam, const std::vector<Image>& frames, int n) {
    const Image& frame = frames[n % FRAME_COUNT];
    std::copy(&frame.pixels[0][0], &frame.pixels[0][0] + IMAGE_WIDTH * IMAGE_HEIGHT,
              &cam.images[WORK].pixels[0][0]);
}

const std::vector<Image>& handFrames() {
    static std::vector<Image> frames;
    if (frames.empty()) {
        for (int n = 0; n < FRAME_COUNT; n++) {
            Image frame;
            frame.largeur = IMAGE_WIDTH;
            frame.hauteur = IMAGE_HEIGHT;
            frame.pixels = new Pixel[IMAGE_HEIGHT][IMAGE_WIDTH]();
            paintHandFrame(frame, 100 + n);
            frames.push_back(frame);
        }
    }
    return frames;
}

void BM_HandSignChain(benchmark::State& state) {
    CWebCam& cam = camera();
    const std::vector<Image>& frames = handFrames();
    int n = 0;
    for (auto _ : state) {
        restoreFrame(cam, frames, n++);
        Clock::time_point start = Clock::now();
        runChain(cam);
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(cam.rps1.load());
    }
}
BENCHMARK(BM_HandSignChain)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_HandSignFrameCopy(benchmark::State& state) {
    CWebCam& cam = camera();
    const std::vector<Image>& frames = handFrames();
    int n = 0;
    for (auto _ : state) {
        restoreFrame(cam, frames, n++);
        cam.CopieImage(WORK, KEPT);
        Clock::time_point start = Clock::now();
        cam.CopieImage(KEPT, COPY);
        state.SetIterationTime(secondsSince(start));
        benchmark::DoNotOptimize(cam.images[COPY].pixels[0][0].r);
    }
}
BENCHMARK(BM_HandSignFrameCopy)->UseManualTime()->Unit(benchmark::kMicrosecond);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Chain and copy in turn on the same frame, so that both see the same machine at the same
// moment; the counters give the medians and the median of the pairs' ratios.
void BM_HandSignChainVsCopy(benchmark::State& state) {
    CWebCam& cam = camera();
    const std::vector<Image>& frames = handFrames();
    std::vector<double> chain, copy, ratio;
    int n = 0;
    for (auto _ : state) {
        restoreFrame(cam, frames, n);
        cam.CopieImage(WORK, KEPT);
        Clock::time_point start = Clock::now();
        cam.CopieImage(KEPT, COPY);
        double copySeconds = secondsSince(start);
        restoreFrame(cam, frames, n++);
        start = Clock::now();
        runChain(cam);
        double chainSeconds = secondsSince(start);
        state.SetIterationTime(chainSeconds + copySeconds);
        chain.push_back(chainSeconds);
        copy.push_back(copySeconds);
        ratio.push_back(chainSeconds / copySeconds);
    }
    state.counters["chain_us"] = median(chain) * 1e6;
    state.counters["copy_us"] = median(copy) * 1e6;
    state.counters["ratio"] = median(ratio);
}
BENCHMARK(BM_HandSignChainVsCopy)->UseManualTime()->Unit(benchmark::kMicrosecond);

}  // namespace
