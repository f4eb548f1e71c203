// The hand landmark model run by OpenCV's dnn on a turned square cut from the picture.
#include "webcam/landmark_model.h"

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/dnn.hpp>
#include <opencv2/imgproc.hpp>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <vector>

// The model's input side and the outputs read from it (names kept from the TFLite graph).
static const int INPUT_SIDE = 224;
static const char* const LANDMARKS_OUTPUT = "Identity";
static const char* const PRESENCE_OUTPUT = "Identity_1";
static const int LANDMARK_VALUES = HAND_POINTS * 3;
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

struct LandmarkModel::Net {
    cv::dnn::Net dnn;
    std::vector<cv::String> outputNames{LANDMARKS_OUTPUT, PRESENCE_OUTPUT};
    std::vector<cv::Mat> outputs;
    cv::Mat crop, blob, kept;
};

static bool fileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

// The network answers a blank square with outputs of the expected sizes, or it is not the model.
static bool answersLikeTheModel(cv::dnn::Net& dnn, std::vector<cv::Mat>& outputs) {
    cv::Mat blank = cv::Mat::zeros(INPUT_SIDE, INPUT_SIDE, CV_8UC3);
    dnn.setInput(cv::dnn::blobFromImage(blank, 1.0 / 255));
    dnn.forward(outputs, std::vector<cv::String>{LANDMARKS_OUTPUT, PRESENCE_OUTPUT});
    return outputs.size() == 2 && outputs[0].total() == (size_t)LANDMARK_VALUES && outputs[1].total() == 1 &&
           outputs[0].type() == CV_32F && outputs[1].type() == CV_32F;
}

// OpenCV's importer logs what it cannot read of a damaged model: the game's one line says it instead.
struct QuietLog {
    cv::utils::logging::LogLevel before = cv::utils::logging::setLogLevel(cv::utils::logging::LOG_LEVEL_SILENT);
    ~QuietLog() { cv::utils::logging::setLogLevel(before); }
};

LandmarkModel::LandmarkModel(const std::string& path) {
    if (!fileExists(path)) {
        why = "is missing";
        return;
    }
    // The model runs in the webcam worker beside the renderer: one core, as the room finder.
    cv::setNumThreads(1);
    std::unique_ptr<Net> made(new Net);
    QuietLog quiet;
    try {
        made->dnn = cv::dnn::readNetFromONNX(path);
        made->dnn.setPreferableBackend(cv::dnn::DNN_BACKEND_OPENCV);
        made->dnn.setPreferableTarget(cv::dnn::DNN_TARGET_CPU);
        if (made->dnn.empty() || !answersLikeTheModel(made->dnn, made->outputs)) {
            why = "is not a hand landmark model";
            return;
        }
    } catch (const cv::Exception&) {
        why = "is damaged";
        return;
    } catch (const std::exception&) {
        why = "is damaged";
        return;
    }
    net = std::move(made);
}

LandmarkModel::~LandmarkModel() = default;

bool LandmarkModel::loaded() const { return net != nullptr; }

const std::string& LandmarkModel::error() const { return why; }

// The affine map from the picture to the model's square, the hand's fingers brought up.
static cv::Mat squareMap(const HandSquare& square) {
    double scale = INPUT_SIDE / std::max(square.side, 1.0f);
    double c = std::cos(square.turn) * scale, s = std::sin(square.turn) * scale;
    cv::Mat map = (cv::Mat_<double>(2, 3) << c, -s, 0, s, c, 0);
    map.at<double>(0, 2) = INPUT_SIDE / 2.0 - (c * square.centreX - s * square.centreY);
    map.at<double>(1, 2) = INPUT_SIDE / 2.0 - (s * square.centreX + c * square.centreY);
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

bool LandmarkModel::run(const unsigned char* rgb, const HandSquare& square, HandLandmarks& out) {
    if (!net) {
        return false;
    }
    cv::Mat frame(240, 320, CV_8UC3, const_cast<unsigned char*>(rgb));
    cv::Mat map = squareMap(square);
    double grain = grainAround(frame, square);
    bool edgesKept = grain > LEAST_EDGE_GRAIN && grain < MOST_EDGE_GRAIN;
    cv::Mat cutMap = map.clone();
    const cv::Mat& source = edgesKept ? keepEdges(frame, square, grain, net->kept, cutMap) : frame;
    cv::warpAffine(source, net->crop, cutMap, cv::Size(INPUT_SIDE, INPUT_SIDE), cv::INTER_LINEAR,
                   cv::BORDER_CONSTANT, cv::Scalar::all(0));
    double smoothing = std::min(GRAIN_SMOOTHING * grain, MOST_SMOOTHING);
    if (!edgesKept && smoothing >= LEAST_SMOOTHING) {
        cv::GaussianBlur(net->crop, net->crop, cv::Size(0, 0), smoothing * INPUT_SIDE / std::max(square.side, 1.0f));
    }
    cv::dnn::blobFromImage(net->crop, net->blob, 1.0 / 255);
    net->dnn.setInput(net->blob);
    net->dnn.forward(net->outputs, net->outputNames);
    const float* values = net->outputs[0].ptr<float>();
    cv::Mat back;
    cv::invertAffineTransform(map, back);
    for (int i = 0; i < HAND_POINTS; ++i) {
        double u = values[3 * i], v = values[3 * i + 1];
        out.x[i] = (float)(back.at<double>(0, 0) * u + back.at<double>(0, 1) * v + back.at<double>(0, 2));
        out.y[i] = (float)(back.at<double>(1, 0) * u + back.at<double>(1, 1) * v + back.at<double>(1, 2));
    }
    out.presence = net->outputs[1].at<float>(0);
    return true;
}
