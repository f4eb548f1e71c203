// The room behind the players: its still picture and the light falling in it.
#ifndef ROOM_SCENES_ROOM_H
#define ROOM_SCENES_ROOM_H

#include <opencv2/core.hpp>

#include "conditions.h"

struct Room {
    cv::Mat3f backdrop;     // radiance of the empty room, linear
    cv::Mat3f roomLight;    // light on things at the wall's distance (someone passing behind)
    cv::Mat3f playerLight;  // light on the players, nearer the camera
    float lightSide;        // -1 when the light comes from the frame's left, 1 from its right
};

Room makeRoom(const Condition& condition, cv::RNG& rng);

#endif
