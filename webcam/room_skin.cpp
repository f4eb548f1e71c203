// The skin gate: hue and saturation learnt from each player's own face, broad until then.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>

// Hue and saturation stay with the skin when the light on it dims or brightens, where YCrCb's
// chroma shrinks toward grey with the brightness. OpenCV's hue runs 0-179 with red at 0: it is
// turned by half a turn so that skin, red to orange, sits in one piece around 100.
static const int HUE_TURN = 90;
static const int SATURATION_BINS = 64;
static const int SATURATION_BIN = 256 / SATURATION_BINS;
// Skin of every complexion before any face is seen: hue from pink to yellow-orange.
static const SkinRange BROAD = {100, 14, 30, 210};
// Darker than this, a pixel's hue is the camera's grain.
static const int MIN_VALUE = 22;
// A face's middle this small (small-picture pixels) says too little to learn from.
static const double MIN_SAMPLES = 60;
// The learnt gate: the face's hue spread, at least HUE_MARGIN either way, and its saturation
// from a little over half to over half again as much, as a hand lit otherwise shows.
static const double HUE_SIGMAS = 3, HUE_MARGIN = 6;
static const double SATURATION_LOW = 0.55, SATURATION_HIGH = 1.6, SATURATION_SIGMAS = 3;

static const int CHANNELS[2] = {0, 1};
static const float HUE_RANGE[2] = {0, 180};
static const float SATURATION_RANGE[2] = {0, 256};
static const float* RANGES[2] = {HUE_RANGE, SATURATION_RANGE};

static cv::Mat gateOf(const SkinRange& range) {
    cv::Mat gate = cv::Mat::zeros(180, SATURATION_BINS, CV_32F);
    for (int hue = 0; hue < 180; ++hue) {
        if (std::abs((hue + HUE_TURN) % 180 - range.hue) > range.hueHalf) {
            continue;
        }
        for (int bin = 0; bin < SATURATION_BINS; ++bin) {
            int saturation = bin * SATURATION_BIN + SATURATION_BIN / 2;
            if (saturation >= range.saturationLow && saturation <= range.saturationHigh) {
                gate.at<float>(hue, bin) = 255;
            }
        }
    }
    return gate;
}

void resetSkin(SkinGate& skin) {
    for (int player = 0; player < 2; ++player) {
        skin.range[player] = BROAD;
        skin.gate[player] = gateOf(BROAD);
        skin.stats[player] = SkinStats();
        skin.learnt[player] = false;
    }
}

void sampleSkin(SkinGate& skin, int player, const cv::Mat& hsv, const cv::Mat& sampleMask) {
    SkinStats& stats = skin.stats[player];
    for (int y = 0; y < hsv.rows; ++y) {
        const cv::Vec3b* row = hsv.ptr<cv::Vec3b>(y);
        const unsigned char* take = sampleMask.ptr<unsigned char>(y);
        for (int x = 0; x < hsv.cols; ++x) {
            int hue = (row[x][0] + HUE_TURN) % 180;
            // Eyes, brows and nostrils are dark or far from skin's hue.
            if (take[x] == 0 || row[x][2] < 2 * MIN_VALUE || std::abs(hue - BROAD.hue) > 2 * BROAD.hueHalf) {
                continue;
            }
            stats.count += 1;
            stats.hue += hue;
            stats.hueSquares += hue * hue;
            stats.saturation += row[x][1];
            stats.saturationSquares += row[x][1] * row[x][1];
        }
    }
}

static double spread(double sum, double squares, double count) {
    return std::sqrt(std::max(0.0, squares / count - (sum / count) * (sum / count)));
}

void settleSkin(SkinGate& skin) {
    for (int player = 0; player < 2; ++player) {
        const SkinStats& stats = skin.stats[player];
        if (stats.count < MIN_SAMPLES) {
            continue;
        }
        double hue = stats.hue / stats.count, saturation = stats.saturation / stats.count;
        double hueSpread = spread(stats.hue, stats.hueSquares, stats.count);
        double saturationSpread = spread(stats.saturation, stats.saturationSquares, stats.count);
        SkinRange range;
        range.hue = (int)std::lround(hue);
        range.hueHalf = (int)std::ceil(std::max(HUE_SIGMAS * hueSpread, HUE_MARGIN));
        range.saturationLow = (int)std::min(SATURATION_LOW * saturation, saturation - SATURATION_SIGMAS * saturationSpread);
        range.saturationHigh = (int)std::max(SATURATION_HIGH * saturation, saturation + SATURATION_SIGMAS * saturationSpread);
        skin.range[player] = range;
        skin.gate[player] = gateOf(range);
        skin.learnt[player] = true;
    }
}

void skinPixels(const SkinGate& skin, int player, const cv::Mat& hsv, cv::Mat& out) {
    cv::Mat lit;
    cv::calcBackProject(&hsv, 1, CHANNELS, skin.gate[player], out, RANGES, 1.0, true);
    cv::extractChannel(hsv, lit, 2);
    cv::threshold(lit, lit, MIN_VALUE - 1, 255, cv::THRESH_BINARY);
    cv::bitwise_and(out, lit, out);
}

double broadSkinShare(const cv::Mat& rgb) {
    static const cv::Mat broad = gateOf(BROAD);
    cv::Mat hsv, skin;
    cv::cvtColor(rgb, hsv, cv::COLOR_RGB2HSV);
    cv::calcBackProject(&hsv, 1, CHANNELS, broad, skin, RANGES, 1.0, true);
    return rgb.empty() ? 0 : (double)cv::countNonZero(skin) / rgb.total();
}
