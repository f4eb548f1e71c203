// What the light of a picture allows: a word for the players when it is too dark or too bright.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

// Below this mean brightness (0-255) the camera's grain swamps the colour of skin.
static const double DARK_MEAN = 28;
// A picture with this share of its pixels burnt white has lost the colour of skin there.
static const double BURNT_SHARE = 0.3;
static const int BURNT_LEVEL = 250;

std::string lightNotice(const cv::Mat& smallRgb) {
    cv::Mat luma, burnt;
    cv::cvtColor(smallRgb, luma, cv::COLOR_RGB2GRAY);
    if (cv::mean(luma)[0] < DARK_MEAN) {
        return "The picture is too dark: light the room";
    }
    cv::compare(luma, BURNT_LEVEL, burnt, cv::CMP_GE);
    if (cv::countNonZero(burnt) > BURNT_SHARE * luma.total()) {
        return "The picture is overexposed: turn the light or the camera away";
    }
    return "";
}
