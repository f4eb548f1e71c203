// The square of the picture as the landmark model is shown it.
#ifndef VANTORIX_LANDMARK_CROP_H
#define VANTORIX_LANDMARK_CROP_H

#include <opencv2/core.hpp>

#include "webcam/landmark_model.h"

// The model's input side, in pixels.
const int MODEL_SIDE = 224;

// The affine map from the picture to the model's square, the hand's fingers brought up.
cv::Mat squareMap(const HandSquare& square);

// The square cut from frame (320 x 240 RGB) through map into crop, with the camera's grain taken
// out. moving (160 x 120, 255 where the picture differs from the room and the players at rest,
// or null) lets the still room behind the hand be faded in a very dim picture. kept is working
// room, reused from run to run.
void cutSquare(const cv::Mat& frame, const HandSquare& square, const cv::Mat& map, const unsigned char* moving,
               cv::Mat& kept, cv::Mat& crop);

#endif
