// A hand showing rock, paper or scissors, modelled as a body with jointed fingers and lit.
#ifndef ROOM_SCENES_HAND_BODY_H
#define ROOM_SCENES_HAND_BODY_H

#include "hand.h"

// The palm faces the camera; thumbSide: +1 when the thumb points to the frame's right, -1 to its
// left. skin is the palm's colour.
HandTruth drawHandBody(cv::Mat3f& picture, const cv::Mat3f& light, const HandPose& pose, float thumbSide,
                       cv::Vec3f skin, cv::Vec2f towardLight);

#endif
