// The lighting conditions the scenes are made in, by name.
#ifndef ROOM_SCENES_CONDITIONS_H
#define ROOM_SCENES_CONDITIONS_H

#include <string>
#include <vector>

#include <opencv2/core.hpp>

enum RoomKind { LIVING_ROOM, OFFICE_ROOM, DARK_WALL_ROOM };

struct Condition {
    const char* name;
    RoomKind room;
    cv::Vec3f lightColour;  // red, green, blue of the light; the camera balances half of it away
    float roomLight;        // light on the wall and things behind the players
    float playerLight;      // light on the players
    float sideLight;        // how much more light comes from one side, 0 to 1
    float sideWindow;       // radiance of a window at the side of the wall, 0 when none
    float backWindow;       // radiance of a large window straight behind the players, 0 when none
    float lampGlow;         // radiance of a lamp's shade in view, 0 when none
    float noise;            // camera noise in 8-bit levels at the gain of a well lit room
    float maxGain;          // the gain the automatic exposure can reach at most
    float blur;             // the lens and the sensor's softness, in pixels
    float passerby;         // chance that a second person walks behind the players
    bool darkClothes;
};

const std::vector<Condition>& conditions();
// Null when there is no condition of that name.
const Condition* conditionNamed(const std::string& name);

#endif
