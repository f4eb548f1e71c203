// The hand landmark model run on a turned square cut from the picture: read and checked by
// OpenCV's dnn, run by XNNPACK where that answers alike.
#include "webcam/landmark_model.h"

#include <opencv2/core/utils/logger.hpp>
#include <opencv2/dnn.hpp>
#include <opencv2/imgproc.hpp>

#include <cmath>
#include <fstream>
#include <vector>

#include "webcam/landmark_crop.h"
#include "webcam/xnnpack_net.h"

// The outputs read from the model (names kept from the TFLite graph).
static const char* const LANDMARKS_OUTPUT = "Identity";
static const char* const PRESENCE_OUTPUT = "Identity_1";
static const int LANDMARK_VALUES = HAND_POINTS * 3;
struct LandmarkModel::Net {
    cv::dnn::Net dnn;
    std::vector<cv::String> outputNames{LANDMARKS_OUTPUT, PRESENCE_OUTPUT};
    std::vector<cv::Mat> outputs;
    cv::Mat crop, blob, kept;
    // The same network run by XNNPACK where it answers as OpenCV's does; OpenCV's otherwise.
    std::unique_ptr<XnnpackNet> fast;
    cv::Mat picture;
    float landmarks[LANDMARK_VALUES] = {};
    float presence = 0;

    const float* forward(const cv::Mat& square);
    const float* forwardByOpenCv(const cv::Mat& square);
    bool forwardByXnnpack(const cv::Mat& square);
    bool fastAnswersAlike();
};

const float* LandmarkModel::Net::forward(const cv::Mat& square) {
    return fast && forwardByXnnpack(square) ? landmarks : forwardByOpenCv(square);
}

bool LandmarkModel::Net::forwardByXnnpack(const cv::Mat& square) {
    square.convertTo(picture, CV_32FC3, 1.0 / 255);
    return fast->run(picture.ptr<float>(), landmarks, presence);
}

const float* LandmarkModel::Net::forwardByOpenCv(const cv::Mat& square) {
    cv::dnn::blobFromImage(square, blob, 1.0 / 255);
    dnn.setInput(blob);
    dnn.forward(outputs, outputNames);
    presence = outputs[1].at<float>(0);
    return outputs[0].ptr<float>();
}

// Landmarks within a hundredth of a pixel of the square, the presence within a thousandth: the
// two runtimes differ by float rounding alone (a ten-thousandth of a pixel on photographs).
bool LandmarkModel::Net::fastAnswersAlike() {
    cv::Mat square(MODEL_SIDE, MODEL_SIDE, CV_8UC3);
    for (int y = 0; y < MODEL_SIDE; ++y) {
        for (int x = 0; x < MODEL_SIDE; ++x) {
            square.at<cv::Vec3b>(y, x) = cv::Vec3b((uchar)x, (uchar)y, (uchar)((x * y) % 251));
        }
    }
    const float* slow = forwardByOpenCv(square);
    std::vector<float> expected(slow, slow + LANDMARK_VALUES);
    float expectedPresence = presence;
    if (!forwardByXnnpack(square)) {
        return false;
    }
    for (int i = 0; i < LANDMARK_VALUES; ++i) {
        if (!(std::abs(landmarks[i] - expected[i]) < 0.01f)) {
            return false;
        }
    }
    return std::abs(presence - expectedPresence) < 0.001f;
}

static bool fileExists(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return in.good();
}

// The network answers a blank square with outputs of the expected sizes, or it is not the model.
static bool answersLikeTheModel(cv::dnn::Net& dnn, std::vector<cv::Mat>& outputs) {
    cv::Mat blank = cv::Mat::zeros(MODEL_SIDE, MODEL_SIDE, CV_8UC3);
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

LandmarkModel::LandmarkModel(const std::string& path, bool useXnnpack) {
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
    std::string notFast;
    made->fast = useXnnpack ? XnnpackNet::build(path, MODEL_SIDE, LANDMARKS_OUTPUT, PRESENCE_OUTPUT, notFast) : nullptr;
    if (made->fast && (made->fast->landmarkValues() != LANDMARK_VALUES || !made->fastAnswersAlike())) {
        made->fast.reset();
    }
    net = std::move(made);
}

LandmarkModel::~LandmarkModel() = default;

bool LandmarkModel::loaded() const { return net != nullptr; }

const std::string& LandmarkModel::error() const { return why; }

bool LandmarkModel::run(const unsigned char* rgb, const HandSquare& square, const unsigned char* moving,
                        HandLandmarks& out) {
    if (!net) {
        return false;
    }
    cv::Mat frame(240, 320, CV_8UC3, const_cast<unsigned char*>(rgb));
    cv::Mat map = squareMap(square);
    cutSquare(frame, square, map, moving, net->kept, net->crop);
    const float* values = net->forward(net->crop);
    cv::Mat back;
    cv::invertAffineTransform(map, back);
    for (int i = 0; i < HAND_POINTS; ++i) {
        double u = values[3 * i], v = values[3 * i + 1];
        out.x[i] = (float)(back.at<double>(0, 0) * u + back.at<double>(0, 1) * v + back.at<double>(0, 2));
        out.y[i] = (float)(back.at<double>(1, 0) * u + back.at<double>(1, 1) * v + back.at<double>(1, 2));
    }
    out.presence = net->presence;
    return true;
}

bool LandmarkModel::fast() const { return net && net->fast; }
