// What happens in a scene, frame by frame: the empty room, the players standing, their signs, the room again.
#ifndef ROOM_SCENES_SCRIPT_H
#define ROOM_SCENES_SCRIPT_H

#include <vector>

#include <opencv2/core.hpp>

#include "conditions.h"
#include "people.h"

struct SceneFrame {
    bool playersIn = false;
    Person players[2];     // index 0 player 1 (the frame's right half), 1 player 2 (its left half)
    HandPose hands[2];
    bool passerbyIn = false;
    Person passerby;
};

struct SceneScript {
    int emptyFrames = 0;
    int standFrames = 0;
    int playFrames = 0;
    int goneFrames = 0;
    std::vector<SceneFrame> frames;
};

// skinTones: the two players' tones, 0 lightest to 5 darkest; step: pixels each player steps
// aside in play, left or right.
SceneScript writeScript(const Condition& condition, cv::RNG& rng, const int skinTones[2], float step);

// The first frame column of a player's half: 160 for player 1 (index 0), 0 for player 2.
int halfStart(int playerIndex);

#endif
