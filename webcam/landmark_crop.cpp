// The square of the picture as the landmark model is shown it: turned, scaled, the grain out.
#include "webcam/landmark_crop.h"

#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

#include "webcam/room_internal.h"

// The model sees the hand's square enlarged three or four times: a camera's grain, enlarged as
// much, becomes blotches the size of a finger joint, and a dim or backlit hand no longer looks
// like one to it (on the synthetic rooms its presence fell under 0.5 for a third of the hands).
// Where the grain is moderate, an edge-keeping filter takes it out and leaves the gaps between
// fingers sharp: colours within EDGE_COLOUR_SPREAD grains of each other are averaged over
// EDGE_REACH camera pixels (on both synthetic sets, 2 to 10 points more signs right than a
// plain blur in every room but the dim ones).
static const double EDGE_COLOUR_SPREAD = 4;
static const int EDGE_DIAMETER = 5;
static const double EDGE_REACH = 3;
static const double LEAST_EDGE_GRAIN = 1;
// In a very dim room (grain of MOST_EDGE_GRAIN grey levels and more) the fingers' own edges are
// no stronger than the grain, the edge-keeping filter keeps the blotches too, and a plain blur
// reads twice as many signs. It smooths by GRAIN_SMOOTHING camera pixels per grey level of grain,
// at most MOST_SMOOTHING; a clean picture (under LEAST_SMOOTHING) is left sharp.
static const double MOST_EDGE_GRAIN = 4.3;
static const double GRAIN_SMOOTHING = 0.3;
static const double MOST_SMOOTHING = 1.6;
static const double LEAST_SMOOTHING = 0.2;
// In a very dim picture the still room behind the hand (a patterned shirt, a face) is faded
// towards plain grey by STILL_FADE of the way: the blur that takes out the grain leaves the
// pattern's blotches beside fingers of their own brightness, and the model takes the lot for no
// hand. Pixels within STILL_MARGIN small-picture pixels of moving ones are kept, so are fingers
// the background model lost against a wall of their colour (on the two synthetic sets, dim rooms
// 51 and 39 % signs right before, 57 and 59 % after; the other rooms hardly change, and faded
// more widely they lost up to 8 points).
static const double STILL_FADE = 0.9;
static const int STILL_MARGIN = 1;
static const double FADED_GREY = 128;

// The affine map from the picture to the model's square, the hand's fingers brought up.
cv::Mat squareMap(const HandSquare& square) {
    double scale = MODEL_SIDE / std::max(square.side, 1.0f);
    double c = std::cos(square.turn) * scale, s = std::sin(square.turn) * scale;
    cv::Mat map = (cv::Mat_<double>(2, 3) << c, -s, 0, s, c, 0);
    map.at<double>(0, 2) = MODEL_SIDE / 2.0 - (c * square.centreX - s * square.centreY);
    map.at<double>(1, 2) = MODEL_SIDE / 2.0 - (s * square.centreX + c * square.centreY);
    return map;
}

// The grain of the picture around the square, as the standard deviation of one pixel's noise in
// grey levels: from the median of the Laplacian's magnitude, which edges barely move, over the
// noise's gain through the Laplacian's kernel (the square root of 1 + 1 + 1 + 1 + 16).
static double grainAround(const cv::Mat& frame, const HandSquare& square) {
    cv::Rect around((int)(square.centreX - square.side / 2), (int)(square.centreY - square.side / 2), (int)square.side,
                    (int)square.side);
    around &= cv::Rect(0, 0, frame.cols, frame.rows);
    if (around.width < 8 || around.height < 8) {
        return 0;
    }
    cv::Mat grey, detail;
    cv::cvtColor(frame(around), grey, cv::COLOR_RGB2GRAY);
    cv::Laplacian(grey, detail, CV_16S);
    std::vector<int> magnitudes;
    magnitudes.reserve(detail.total());
    for (int y = 0; y < detail.rows; ++y) {
        const short* row = detail.ptr<short>(y);
        for (int x = 0; x < detail.cols; ++x) {
            magnitudes.push_back(std::abs((int)row[x]));
        }
    }
    auto middle = magnitudes.begin() + magnitudes.size() / 2;
    std::nth_element(magnitudes.begin(), middle, magnitudes.end());
    return 1.4826 * *middle / std::sqrt(20.0);
}

// The part of the picture the turned square reaches, its grain taken out, and the map moved to
// it; the whole picture and the map as they are when the square lies outside it.
static const cv::Mat& keepEdges(const cv::Mat& frame, const HandSquare& square, double grain, cv::Mat& kept,
                                cv::Mat& map) {
    // Half the turned square's diagonal, and the filter's own reach beyond it.
    int reach = (int)std::ceil(square.side * 0.7072f) + EDGE_DIAMETER;
    cv::Rect around((int)square.centreX - reach, (int)square.centreY - reach, 2 * reach, 2 * reach);
    around &= cv::Rect(0, 0, frame.cols, frame.rows);
    if (around.width < EDGE_DIAMETER || around.height < EDGE_DIAMETER) {
        return frame;
    }
    cv::bilateralFilter(frame(around), kept, EDGE_DIAMETER, EDGE_COLOUR_SPREAD * grain, EDGE_REACH);
    map.at<double>(0, 2) += map.at<double>(0, 0) * around.x + map.at<double>(0, 1) * around.y;
    map.at<double>(1, 2) += map.at<double>(1, 0) * around.x + map.at<double>(1, 1) * around.y;
    return kept;
}

// Fades what stands still in the crop: the moving pixels, grown by the margin and softened over
// one pixel of their half-size picture, are taken through the same map at twice its scale.
static void fadeStill(cv::Mat& crop, const unsigned char* moving, const cv::Mat& map) {
    cv::Mat small(SMALL_HEIGHT, SMALL_WIDTH, CV_8UC1, const_cast<unsigned char*>(moving)), grown, moved;
    cv::dilate(small, grown,
               cv::getStructuringElement(cv::MORPH_ELLIPSE, cv::Size(2 * STILL_MARGIN + 1, 2 * STILL_MARGIN + 1)));
    cv::GaussianBlur(grown, grown, cv::Size(0, 0), 1);
    cv::Mat smallMap = map.clone();
    cv::Mat scaled = smallMap.colRange(0, 2);
    scaled *= SCALE;
    cv::warpAffine(grown, moved, smallMap, crop.size(), cv::INTER_LINEAR, cv::BORDER_CONSTANT, cv::Scalar(0));
    cv::Mat keep, fade;
    moved.convertTo(keep, CV_32F, STILL_FADE / 255, 1 - STILL_FADE);
    cv::subtract(cv::Scalar::all(1), keep, fade);
    cv::Mat grey(crop.size(), crop.type(), cv::Scalar::all(FADED_GREY));
    cv::blendLinear(crop, grey, keep, fade, crop);
}

void cutSquare(const cv::Mat& frame, const HandSquare& square, const cv::Mat& map, const unsigned char* moving,
               cv::Mat& kept, cv::Mat& crop) {
    double grain = grainAround(frame, square);
    bool edgesKept = grain > LEAST_EDGE_GRAIN && grain < MOST_EDGE_GRAIN;
    cv::Mat cutMap = map.clone();
    const cv::Mat& source = edgesKept ? keepEdges(frame, square, grain, kept, cutMap) : frame;
    cv::warpAffine(source, crop, cutMap, cv::Size(MODEL_SIDE, MODEL_SIDE), cv::INTER_LINEAR,
                   cv::BORDER_CONSTANT, cv::Scalar::all(0));
    double smoothing = std::min(GRAIN_SMOOTHING * grain, MOST_SMOOTHING);
    if (!edgesKept && smoothing >= LEAST_SMOOTHING) {
        cv::GaussianBlur(crop, crop, cv::Size(0, 0), smoothing * MODEL_SIDE / std::max(square.side, 1.0f));
    }
    if (moving && grain >= MOST_EDGE_GRAIN) {
        fadeStill(crop, moving, map);
    }
}
