// Start-up check that a motion file gives a pose the game can draw and blend.
#ifndef VANTORIX_MOTION_CHECK_H
#define VANTORIX_MOTION_CHECK_H

#include <string>

#include "animation/Mesh.h"

// What makes the pose unusable, in words, or an empty string when it is fine.
// vertexCount is the vertex count every pose must share (that of "Punch00.txt");
// 0 accepts any count, for the first file read.
std::string motionFault(bool opened, const Mesh& pose, size_t vertexCount);

// Prints the fault with the file's name on standard error and ends the program with status 1.
void requireUsableMotion(const char* fileName, bool opened, const Mesh& pose, size_t vertexCount);

// Ends the program with status 1, saying so on standard error, when a move of the motion library
// ends on another frame than the rules' length of it.
void requireRulesLength(int move, int lastFrame, int rulesLength);

#endif
