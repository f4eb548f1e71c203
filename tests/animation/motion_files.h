// Test helpers: a temporary folder of small motion files written by the tests themselves.
#ifndef VANTORIX_TEST_MOTION_FILES_H
#define VANTORIX_TEST_MOTION_FILES_H

#include <string>

#include "animation/Mesh.h"

// The eighteen motion files of the library.
extern const char* const motionFileNames[18];

// A temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    const std::string& path() const { return directory; }
    std::string file(const std::string& name) const { return directory + "/" + name; }
    void write(const std::string& name, const std::string& text) const;

private:
    std::string directory;
};

// A complete motion file of one tetrahedron whose vertices are shifted by offset, so that
// every file of a library can be told apart by its first vertex.
std::string tetrahedronFile(double offset);

// Writes all eighteen files, file k shifted by k + 1.
void writeLibrary(const TempFolder& folder);

// Reads one file on its own.
Mesh readMotionFile(const std::string& path);

#endif
