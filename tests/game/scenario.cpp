// Test harness: drives the real World::update frame by frame with scripted inputs.
#include "tests/game/scenario.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "tests/support/data_dir.h"

namespace fs = std::filesystem;

static const char* const motionFiles[] = {
    "Punch00.txt",     "Punch01.txt",     "Punch02.txt",     "Punch03.txt",     "Punch04.txt",
    "HeadPunch01.txt", "HeadPunch02.txt", "HeadPunch03.txt", "HeadPunch04.txt", "HeadPunch05.txt",
    "ComboPrep01.txt", "ComboPrep02.txt", "Banana01.txt",    "Banana02.txt",    "Banana03.txt",
    "Ayuken01.txt",    "Ayuken02.txt",    "Ayuken03.txt"};

static bool hasAllMotionFiles(const std::string& folder) {
    for (const char* name : motionFiles) {
        if (!fs::exists(fs::path(folder) / name)) {
            return false;
        }
    }
    return true;
}

// Removes the temporary motion folder when the test program ends.
struct TemporaryFolder {
    std::string path;
    ~TemporaryFolder() {
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
};

// One triangle, each file a little different so that blending has something to do.
static std::string writeTinyMotionFolder() {
    static TemporaryFolder folder;
    char pattern[] = "/tmp/vantorix-motion-XXXXXX";
    if (mkdtemp(pattern) == NULL) {
        throw std::runtime_error("cannot create a temporary motion folder");
    }
    folder.path = pattern;
    int n = 0;
    for (const char* name : motionFiles) {
        std::ofstream out(fs::path(pattern) / name);
        out << "v 0 0 " << n << "\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nvn 0 0 1\nvn 0 0 1\n"
            << "f 1/1/1 2/1/2 3/1/3\ng robot\n";
        n++;
    }
    return pattern;
}

std::string motionFolder() {
    static std::string folder;
    if (folder.empty()) {
        folder = hasAllMotionFiles(dataDirectory()) ? dataDirectory() : writeTinyMotionFolder();
    }
    return folder;
}

static const Moves& motionLibrary() {
    static Moves library;
    static bool loaded = false;
    if (!loaded) {
        ScopedWorkingDirectory inMotionFolder(motionFolder());
        library.loadMoves();
        loaded = true;
    }
    return library;
}

Scenario::Scenario() {
    const Moves& library = motionLibrary();
    world.moves.movePoses = library.movePoses;
    world.moves.moveFrames = library.moveFrames;
    world.moves.moveDists = library.moveDists;
    world.setStartingValues();
}

void Scenario::play(const FrameInput& input) {
    world.setInputs();
    world.sign1 = input.sign1;
    world.left1 = input.step1 < 0 ? 1 : 0;
    world.right1 = input.step1 > 0 ? 1 : 0;
    world.sign2 = input.sign2;
    world.left2 = input.step2 < 0 ? 1 : 0;
    world.right2 = input.step2 > 0 ? 1 : 0;
    world.update();
}

void Scenario::play(const FrameInput& input, int frames) {
    for (int i = 0; i < frames; i++) {
        play(input);
    }
}

void Scenario::wait(int frames) { play(FrameInput(), frames); }

void Scenario::place(float pos1, float pos2) {
    world.fight.pos1 = world.drawPos1 = pos1;
    world.fight.pos2 = world.drawPos2 = pos2;
}

int Scenario::newestSlot(int tower) const {
    const Tower& stages = towerOf(world.fight.towers, tower);
    return stages.empty() ? -1 : stages.newest().slot;
}
