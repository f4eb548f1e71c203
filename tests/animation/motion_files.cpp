// Test helpers: a temporary folder of small motion files written by the tests themselves.
#include "tests/animation/motion_files.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "animation/filreader.h"

const char* const motionFileNames[18] = {
    "Punch00.txt",     "Punch01.txt",     "Punch02.txt",     "Punch03.txt",     "Punch04.txt",
    "HeadPunch01.txt", "HeadPunch02.txt", "HeadPunch03.txt", "HeadPunch04.txt", "HeadPunch05.txt",
    "ComboPrep01.txt", "ComboPrep02.txt", "Banana01.txt",    "Banana02.txt",    "Banana03.txt",
    "Ayuken01.txt",    "Ayuken02.txt",    "Ayuken03.txt",
};

TempFolder::TempFolder() {
    char pattern[] = "/tmp/vantorix-motion-XXXXXX";
    if (mkdtemp(pattern) == NULL) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    directory = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(directory, ignored);
}

void TempFolder::write(const std::string& name, const std::string& text) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out << text;
}

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

void writeLibrary(const TempFolder& folder) {
    for (int k = 0; k < 18; k++) {
        folder.write(motionFileNames[k], tetrahedronFile(k + 1));
    }
}

Mesh readMotionFile(const std::string& path) {
    FileReader reader(path.c_str());
    return reader.getAll();
}
