// The cameras this machine has, for the settings screen to choose among.
#ifndef VANTORIX_CAMERA_LIST_H
#define VANTORIX_CAMERA_LIST_H

#include <string>
#include <vector>

// /dev/video0, /dev/video1, ... in the order of their numbers; none when there are none.
std::vector<std::string> listCameras();

#endif
