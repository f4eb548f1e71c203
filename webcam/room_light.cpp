// What the light of a picture allows: a word for the players when it is too dark or too bright.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cstdlib>
#include <vector>

// With fewer than this share of pixels brighter than DARK_LEVEL, skin is lost in the camera's
// grain; a dark wall alone does not make it, the players before it are lit.
static const double LIT_SHARE = 0.03;
static const int DARK_LEVEL = 50;
// An empty room before a dark wall is all but black; only a covered camera is blacker.
static const double BLACK_MEAN = 6;
// A picture with this share of its pixels burnt white has lost the colour of skin there.
static const double BURNT_SHARE = 0.3;
static const int BURNT_LEVEL = 250;

// The exposure's move is measured on every GAIN_STEP-th pixel of the small picture either way,
// from those between GAIN_LOW and GAIN_HIGH, when there are GAIN_SAMPLES of them.
static const int GAIN_STEP = 3, GAIN_LOW = 12, GAIN_HIGH = 245;
static const size_t GAIN_SAMPLES = 100;

std::string lightNotice(const cv::Mat& smallRgb, bool emptyRoom) {
    cv::Mat luma, lit, burnt;
    cv::cvtColor(smallRgb, luma, cv::COLOR_RGB2GRAY);
    cv::compare(luma, DARK_LEVEL, lit, cv::CMP_GE);
    bool dark = emptyRoom ? cv::mean(luma)[0] < BLACK_MEAN : cv::countNonZero(lit) < LIT_SHARE * luma.total();
    if (dark) {
        return "The picture is too dark: light the room";
    }
    cv::compare(luma, BURNT_LEVEL, burnt, cv::CMP_GE);
    if (cv::countNonZero(burnt) > BURNT_SHARE * luma.total()) {
        return "The picture is overexposed: turn the light or the camera away";
    }
    return "";
}

// The median ratio over a sparse grid of pixels, most of which show the room whoever stands
// before it.
cv::Scalar exposureGain(const cv::Mat& now, const cv::Mat& then) {
    cv::Scalar gain(1, 1, 1);
    std::vector<float> ratios[3];
    for (std::vector<float>& r : ratios) {
        r.reserve((now.rows / GAIN_STEP + 1) * (now.cols / GAIN_STEP + 1));
    }
    for (int y = GAIN_STEP / 2; y < now.rows; y += GAIN_STEP) {
        const cv::Vec3b* a = now.ptr<cv::Vec3b>(y);
        const cv::Vec3b* b = then.ptr<cv::Vec3b>(y);
        for (int x = GAIN_STEP / 2; x < now.cols; x += GAIN_STEP) {
            for (int channel = 0; channel < 3; ++channel) {
                // Black and burnt pixels say nothing of the exposure.
                if (b[x][channel] >= GAIN_LOW && b[x][channel] <= GAIN_HIGH && a[x][channel] <= GAIN_HIGH) {
                    ratios[channel].push_back((float)a[x][channel] / b[x][channel]);
                }
            }
        }
    }
    for (int channel = 0; channel < 3; ++channel) {
        std::vector<float>& r = ratios[channel];
        if (r.size() >= GAIN_SAMPLES) {
            std::nth_element(r.begin(), r.begin() + r.size() / 2, r.end());
            gain[channel] = r[r.size() / 2];
        }
    }
    return gain;
}

// Each channel's values multiplied (or divided) by the exposure's move, rounded as OpenCV rounds.
// A table and one pass: cv::multiply and cv::divide by a scalar work in doubles, and summing the
// channels with cv::transform in floats; together they cost a tenth of a frame of play.
static void gainTable(const cv::Scalar& gain, bool divide, uchar table[3][256]) {
    for (int channel = 0; channel < 3; ++channel) {
        double g = gain[channel];
        for (int value = 0; value < 256; ++value) {
            // OpenCV gives nothing for a division by nothing.
            double scaled = !divide ? value * g : g != 0 ? value / g : 0;
            table[channel][value] = cv::saturate_cast<uchar>(scaled);
        }
    }
}

void undoExposure(const cv::Mat& picture, const cv::Scalar& gain, cv::Mat& out) {
    uchar table[3][256];
    gainTable(gain, true, table);
    out.create(picture.size(), CV_8UC3);
    for (int y = 0; y < picture.rows; ++y) {
        const uchar* in = picture.ptr<uchar>(y);
        uchar* scaled = out.ptr<uchar>(y);
        for (int x = 0; x < picture.cols * 3; x += 3) {
            scaled[x] = table[0][in[x]];
            scaled[x + 1] = table[1][in[x + 1]];
            scaled[x + 2] = table[2][in[x + 2]];
        }
    }
}

void differAtGain(const cv::Mat& small, const cv::Mat& learnt, const cv::Scalar& gain, double difference, cv::Mat& out) {
    uchar table[3][256];
    gainTable(gain, false, table);
    out.create(small.size(), CV_8UC1);
    for (int y = 0; y < small.rows; ++y) {
        const uchar* now = small.ptr<uchar>(y);
        const uchar* then = learnt.ptr<uchar>(y);
        uchar* differs = out.ptr<uchar>(y);
        for (int x = 0; x < small.cols; ++x) {
            const uchar* a = now + 3 * x;
            const uchar* b = then + 3 * x;
            int summed = std::abs(a[0] - table[0][b[0]]) + std::abs(a[1] - table[1][b[1]]) +
                         std::abs(a[2] - table[2][b[2]]);
            differs[x] = summed > difference ? 255 : 0;
        }
    }
}

void differFromEmpty(const cv::Mat& small, const cv::Mat& emptyRoom, double difference, cv::Mat& out) {
    differAtGain(small, emptyRoom, exposureGain(small, emptyRoom), difference, out);
}
