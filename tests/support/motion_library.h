// Test support: the game's motion library, loaded once per test program.
#ifndef VANTORIX_TEST_MOTION_LIBRARY_H
#define VANTORIX_TEST_MOTION_LIBRARY_H

#include <string>

#include "animation/moves.h"

// The eighteen motion files of the library.
extern const char* const motionFileNames[18];

// The folder the motion files are read from: data/ once the robot is there, otherwise a
// temporary folder of tiny valid poses (the rules read only the timing, fixed in code).
std::string motionFolder();

// The library read from motionFolder(), once.
const Moves& motionLibrary();

#endif
