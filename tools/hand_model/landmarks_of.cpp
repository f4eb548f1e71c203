// landmarks_of: the converted hand model run by OpenCV's dnn on 224 x 224 pictures, for the conversion check.
#include <opencv2/dnn.hpp>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "webcam/landmark_sign.h"

static const int SIDE = 224;

// A 224 x 224 binary PPM (P6, maxval 255) into RGB bytes; false when it is not one.
static bool readSquare(const char* path, std::vector<unsigned char>& rgb) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    in >> magic >> width >> height >> maxval;
    in.get();
    if (!in || magic != "P6" || width != SIDE || height != SIDE || maxval != 255) {
        return false;
    }
    rgb.resize((size_t)SIDE * SIDE * 3);
    return (bool)in.read((char*)rgb.data(), (std::streamsize)rgb.size());
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: landmarks_of MODEL.onnx PICTURE.ppm...\n"
                             "  prints per picture its name, the hand presence, the sign the game reads (0 none,\n"
                             "  1 rock, 2 paper, 3 scissors) and 21 x, y, z\n");
        return 2;
    }
    cv::setNumThreads(1);
    cv::dnn::Net net;
    try {
        net = cv::dnn::readNetFromONNX(argv[1]);
    } catch (const cv::Exception&) {
        std::fprintf(stderr, "landmarks_of: %s cannot be read\n", argv[1]);
        return 2;
    }
    std::vector<cv::String> names{"Identity", "Identity_1"};
    for (int i = 2; i < argc; ++i) {
        std::vector<unsigned char> rgb;
        if (!readSquare(argv[i], rgb)) {
            std::fprintf(stderr, "landmarks_of: %s is not a 224 x 224 binary PPM\n", argv[i]);
            return 2;
        }
        net.setInput(cv::dnn::blobFromImage(cv::Mat(SIDE, SIDE, CV_8UC3, rgb.data()), 1.0 / 255));
        std::vector<cv::Mat> outputs;
        net.forward(outputs, names);
        HandLandmarks hand;
        for (int k = 0; k < HAND_POINTS; ++k) {
            hand.x[k] = outputs[0].ptr<float>()[3 * k];
            hand.y[k] = outputs[0].ptr<float>()[3 * k + 1];
        }
        std::printf("%s %.6f %d", argv[i], outputs[1].at<float>(0), signOfFingers(stretchedFingers(hand)));
        for (int k = 0; k < 63; ++k) {
            std::printf(" %.4f", outputs[0].ptr<float>()[k]);
        }
        std::printf("\n");
    }
    return 0;
}
