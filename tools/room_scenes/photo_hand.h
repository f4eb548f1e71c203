// A photographed open hand, cut from its background, laid into the frames in place of a drawn paper sign.
#ifndef ROOM_SCENES_PHOTO_HAND_H
#define ROOM_SCENES_PHOTO_HAND_H

#include <string>

#include <opencv2/core.hpp>

#include "hand.h"

struct PhotoHand {
    cv::Mat3f colour;         // linear light, fingers up, thumb on the left
    cv::Mat1f mask;           // 1 on the hand, 0 on the table it lay on
    cv::Point2f palmCentre;   // the point deepest inside the hand
    float palmWidth = 0;      // the widest circle inside the hand, across
};

// From a binary PPM of an open hand, fingers to the right, on a plain grey ground (the one of
// OpenCV's back-projection tutorial); empty when it serves, else why not.
std::string loadPhotoHand(const std::string& path, PhotoHand& hand);

// thumbSide: +1 when the thumb is to be on the frame's right. The photograph keeps its own hue and
// shading, brought to the brightness of skin, the player's own.
HandTruth drawPhotoHand(cv::Mat3f& picture, const cv::Mat3f& light, const PhotoHand& photo, const HandPose& pose,
                        float thumbSide, cv::Vec3f skin);

#endif
