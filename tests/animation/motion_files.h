// Test helpers: a temporary folder of small motion files written by the tests themselves.
#ifndef VANTORIX_TEST_MOTION_FILES_H
#define VANTORIX_TEST_MOTION_FILES_H

#include <string>

#include "animation/Mesh.h"
#include "tests/support/files.h"

#include "tests/support/motion_library.h"

// A complete motion file of one tetrahedron whose vertices are shifted by offset, so that
// every file of a library can be told apart by its first vertex.
std::string tetrahedronFile(double offset);

// Writes all eighteen files, file k shifted by k + 1.
void writeLibrary(const FreshFolder& folder);

// Reads one file on its own.
Mesh readMotionFile(const std::string& path);

#endif
