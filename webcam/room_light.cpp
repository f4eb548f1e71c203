// What the light of a picture allows: a word for the players when it is too dark or too bright.
#include "webcam/room_internal.h"

#include <opencv2/imgproc.hpp>

// With fewer than this share of pixels brighter than DARK_LEVEL, skin is lost in the camera's
// grain; a dark wall alone does not make it, the players before it are lit.
static const double LIT_SHARE = 0.03;
static const int DARK_LEVEL = 50;
// An empty room before a dark wall is all but black; only a covered camera is blacker.
static const double BLACK_MEAN = 6;
// A picture with this share of its pixels burnt white has lost the colour of skin there.
static const double BURNT_SHARE = 0.3;
static const int BURNT_LEVEL = 250;

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
