// Test support: the motion library, from data/ or from tiny poses written for the tests.
#include "tests/support/motion_library.h"

#include <filesystem>
#include <string>

#include "tests/support/data_dir.h"
#include "tests/support/files.h"

namespace fs = std::filesystem;

const char* const motionFileNames[18] = {
    "Punch00.txt",     "Punch01.txt",     "Punch02.txt",     "Punch03.txt",     "Punch04.txt",
    "HeadPunch01.txt", "HeadPunch02.txt", "HeadPunch03.txt", "HeadPunch04.txt", "HeadPunch05.txt",
    "ComboPrep01.txt", "ComboPrep02.txt", "Banana01.txt",    "Banana02.txt",    "Banana03.txt",
    "Ayuken01.txt",    "Ayuken02.txt",    "Ayuken03.txt",
};

static bool hasAllMotionFiles(const std::string& folder) {
    for (const char* name : motionFileNames) {
        if (!fs::exists(fs::path(folder) / name)) {
            return false;
        }
    }
    return true;
}

// One triangle, each file a little different so that blending has something to do; the folder
// goes when the test program ends.
static std::string writeTinyMotionFolder() {
    static FreshFolder folder;
    int n = 0;
    for (const char* name : motionFileNames) {
        folder.write(name, "v 0 0 " + std::to_string(n) +
                               "\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\n"
                               "f 1/1/1 2/1/2 3/1/3\ng robot\n");
        n++;
    }
    return folder.path();
}

std::string motionFolder() {
    static std::string folder;
    if (folder.empty()) {
        folder = hasAllMotionFiles(dataDirectory()) ? dataDirectory() : writeTinyMotionFolder();
    }
    return folder;
}

const Moves& motionLibrary() {
    static Moves library;
    static bool loaded = false;
    if (!loaded) {
        ScopedWorkingDirectory inMotionFolder(motionFolder());
        library.loadMoves();
        loaded = true;
    }
    return library;
}
