// A scene's files: its frames as binary PPM, truth.txt with the true hands, scene.txt with its frame counts.
#ifndef ROOM_SCENES_SCENE_FILES_H
#define ROOM_SCENES_SCENE_FILES_H

#include <cstdio>
#include <string>

#include <opencv2/core.hpp>

#include "hand.h"
#include "script.h"

// False when the file cannot be written.
bool writePpm(const std::string& path, const cv::Mat3b& rgb);
bool writeSceneFile(const std::string& path, const char* condition, const SceneScript& script);
// Starts truth.txt with its header; null when it cannot be opened.
FILE* openTruth(const std::string& path);
// One frame's line for one player; playerIndex 0 is player 1.
void writeTruth(FILE* truth, int frame, int playerIndex, const HandTruth& hand, int sign);

#endif
