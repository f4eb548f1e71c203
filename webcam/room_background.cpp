// The background: the empty room, then the players standing at rest, learnt into one MOG2 model.
#include "webcam/room_internal.h"

#include <opencv2/video/background_segm.hpp>

// A pixel differs from a learnt mode beyond this squared Mahalanobis distance (4.5 sigma):
// the grain of a webcam stays inside, a hand on a wall or a shirt falls outside.
static const double VARIANCE_THRESHOLD = 16;
// The players' share after a few standing frames: their face, neck and hanging hands become a
// background mode of their own beside the room's, which stays strong enough to come back when
// they step away (MOG2 keeps modes until their weights add up to its background ratio).
static const double STANDING_RATE = 0.06;
static const int MODES = 4;

void resetBackground(RoomBackground& background) {
    background.model = cv::createBackgroundSubtractorMOG2(500, VARIANCE_THRESHOLD, false);
    background.model->setNMixtures(MODES);
    background.emptyFrames = 0;
    background.standFrames = 0;
}

void learnEmpty(RoomBackground& background, const cv::Mat& small) {
    cv::Mat ignored;
    // 1/n makes the room's mode the plain mean of the frames seen, whatever their number.
    background.emptyFrames++;
    background.model->apply(small, ignored, 1.0 / background.emptyFrames);
}

void learnStanding(RoomBackground& background, const cv::Mat& small, cv::Mat& moving) {
    // Without an empty room the first standing frame starts the model.
    double rate = background.emptyFrames + background.standFrames == 0 ? 1.0 : STANDING_RATE;
    background.standFrames++;
    background.model->apply(small, moving, rate);
}

void movingPixels(RoomBackground& background, const cv::Mat& small, cv::Mat& moving) {
    if (background.emptyFrames + background.standFrames == 0) {
        // Nothing learnt: every pixel may be a hand, and the skin gate alone decides.
        moving = cv::Mat(small.size(), CV_8UC1, cv::Scalar(255));
        return;
    }
    // Play learns nothing: a hand held still for long must not melt into the room.
    background.model->apply(small, moving, 0);
}
