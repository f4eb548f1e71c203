// The skin gate: a chroma histogram (Cr, Cb) learnt from the players' faces, broad until then.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

static const int BINS = 32;
static const int BIN_WIDTH = 256 / BINS;
// Skin of every complexion under white or warm light: Cr 133-180, Cb 72-130 (a widened form of
// the usual Chai and Ngan box).
static const int DEFAULT_CR_LOW = 133, DEFAULT_CR_HIGH = 180;
static const int DEFAULT_CB_LOW = 72, DEFAULT_CB_HIGH = 130;
// Fewer samples than this (a face 20 pixels across) say too little to replace the default.
static const double MIN_SAMPLES = 300;
// A bin is skin once it holds this share of the fullest bin's samples (after smoothing).
static const double SKIN_SHARE = 0.04;

static const int CHANNELS[2] = {1, 2};
static const float RANGE[2] = {0, 256};
static const float* RANGES[2] = {RANGE, RANGE};
static const int SIZES[2] = {BINS, BINS};

void resetSkin(SkinGate& skin) {
    skin.gate = cv::Mat::zeros(BINS, BINS, CV_32F);
    for (int cr = DEFAULT_CR_LOW / BIN_WIDTH; cr <= DEFAULT_CR_HIGH / BIN_WIDTH; ++cr) {
        for (int cb = DEFAULT_CB_LOW / BIN_WIDTH; cb <= DEFAULT_CB_HIGH / BIN_WIDTH; ++cb) {
            skin.gate.at<float>(cr, cb) = 255;
        }
    }
    skin.samples = cv::Mat::zeros(BINS, BINS, CV_32F);
    skin.learnt = false;
}

void sampleSkin(SkinGate& skin, const cv::Mat& ycc, const cv::Mat& sampleMask) {
    cv::calcHist(&ycc, 1, CHANNELS, sampleMask, skin.samples, 2, SIZES, RANGES, true, true);
}

void settleSkin(SkinGate& skin) {
    if (cv::sum(skin.samples)[0] < MIN_SAMPLES) {
        return;
    }
    // Smoothing and widening by a bin allow for the hand being lit otherwise than the face.
    cv::Mat smooth, gate;
    cv::GaussianBlur(skin.samples, smooth, cv::Size(3, 3), 0.8);
    double most = 0;
    cv::minMaxLoc(smooth, nullptr, &most);
    cv::threshold(smooth, gate, most * SKIN_SHARE, 255, cv::THRESH_BINARY);
    cv::dilate(gate, skin.gate, cv::Mat::ones(3, 3, CV_8U));
    skin.learnt = true;
}

void skinPixels(const SkinGate& skin, const cv::Mat& ycc, cv::Mat& out) {
    cv::calcBackProject(&ycc, 1, CHANNELS, skin.gate, out, RANGES, 1.0, true);
}
