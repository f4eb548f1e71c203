// Test helpers: a temporary folder of small motion files written by the tests themselves.
#include "tests/animation/motion_files.h"

#include <sstream>

#include "animation/filreader.h"

std::string tetrahedronFile(double offset) {
    std::ostringstream text;
    text << "v " << offset << " 0 0\n"
         << "v 0 " << offset << " 0\n"
         << "v 0 0 " << offset << "\n"
         << "v " << -offset << " " << -offset << " " << -offset << "\n"
         << "vt 0 0\nvt 1 0\nvt 0 1\n";
    for (int i = 0; i < 4; i++) {
        text << "vn " << (i == 0) << " " << (i == 1) << " " << (i == 2) + offset << "\n";
    }
    text << "f 1/1/1 2/2/2 3/3/3\nf 1/1/1 2/2/2 4/3/4\nf 1/1/1 3/2/3 4/3/4\n"
         << "f 2/1/2 3/2/3 4/3/4\ng robot\n";
    return text.str();
}

void writeLibrary(const FreshFolder& folder) {
    for (int k = 0; k < 18; k++) {
        folder.write(motionFileNames[k], tetrahedronFile(k + 1));
    }
}

Mesh readMotionFile(const std::string& path) {
    FileReader reader(path.c_str());
    return reader.getAll();
}
