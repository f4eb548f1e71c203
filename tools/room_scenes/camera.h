// The webcam: automatic exposure, white balance that corrects only half a lamp's colour, blur and noise.
#ifndef ROOM_SCENES_CAMERA_H
#define ROOM_SCENES_CAMERA_H

#include <opencv2/core.hpp>

#include "conditions.h"

struct Camera {
    float gain = 0;         // 0 until the first frame sets it
    cv::Vec3f balance;      // per channel, green 1
    cv::Mat1f vignette;     // the lens's darker corners
};

Camera cameraFor(const Condition& condition);
// One 8-bit frame (red, green, blue) of the scene's light; the exposure follows the scene with a lag.
cv::Mat3b takeFrame(Camera& camera, const Condition& condition, const cv::Mat3f& radiance, cv::RNG& rng);

#endif
