// Moves: construction and the start-up load of the seven moves from the motion files.
#include "animation/moves.h"

#include <utility>

#include "animation/filreader.h"
#include "animation/motion_check.h"
#include "rules/timings.h"

namespace {

struct KeyPose {
    const char* file;
    int frame;
    float dist;
};

struct MoveTable {
    int count;
    KeyPose poses[11];
};

// The library: for each move its key poses in time order, with key frame and key distance.
const MoveTable library[7] = {
    {1, {{"Punch00.txt", 0, 30}}},
    {9,
     {{"Punch00.txt", 0, 30}, {"Punch01.txt", 6, 30}, {"Punch02.txt", 12, 30},
      {"Punch03.txt", 18, 30}, {"Punch04.txt", 24, 30}, {"Punch03.txt", 36, 30},
      {"Punch02.txt", 48, 30}, {"Punch01.txt", 60, 30}, {"Punch00.txt", 75, 30}}},
    {11,
     {{"Punch00.txt", 0, 30}, {"HeadPunch01.txt", 5, 30}, {"HeadPunch02.txt", 10, 30},
      {"HeadPunch03.txt", 15, 30}, {"HeadPunch04.txt", 20, 30}, {"HeadPunch05.txt", 25, 30},
      {"HeadPunch04.txt", 35, 30}, {"HeadPunch03.txt", 45, 30}, {"HeadPunch02.txt", 55, 30},
      {"HeadPunch01.txt", 65, 30}, {"Punch00.txt", 75, 30}}},
    {3, {{"Punch00.txt", 0, 30}, {"ComboPrep01.txt", 25, 30}, {"ComboPrep02.txt", 50, 30}}},
    {7,
     {{"ComboPrep02.txt", 0, 30}, {"Banana01.txt", 20, 20}, {"Banana02.txt", 40, 10},
      {"Banana03.txt", 70, 1}, {"Banana02.txt", 90, 5}, {"Banana01.txt", 120, 15},
      {"ComboPrep02.txt", 150, 30}}},
    {7,
     {{"ComboPrep02.txt", 0, 30}, {"Ayuken01.txt", 20, 20}, {"Ayuken02.txt", 40, 10},
      {"Ayuken03.txt", 70, 1}, {"Ayuken02.txt", 90, 5}, {"Ayuken01.txt", 120, 15},
      {"ComboPrep02.txt", 150, 30}}},
    {3, {{"ComboPrep02.txt", 0, 30}, {"ComboPrep01.txt", 25, 30}, {"Punch00.txt", 50, 30}}},
};

}  // namespace

Moves::Moves() : textures() {}

Moves::~Moves() {}

void Moves::loadMoves() {
    FileReader reader("Punch00.txt");
    bool first = true;
    size_t vertexCount = 0;
    std::vector<Mesh> poses;
    std::vector<int> frames;
    std::vector<float> dists;
    for (const MoveTable& move : library) {
        for (int p = 0; p < move.count; p++) {
            const KeyPose& key = move.poses[p];
            if (!first) {
                reader.changeFile(key.file);
            }
            // A missing or broken file would leave an invisible or corrupt robot and
            // reads outside the pose's lists later on: stop here and say which file.
            bool opened = reader.inputFile.is_open();
            Mesh pose = reader.getAll();
            requireUsableMotion(key.file, opened, pose, vertexCount);
            if (first) {
                vertexCount = pose[MESH_VERTICES].size();
                first = false;
            }
            // Moved, not copied: each key pose keeps the one copy it was read into.
            poses.push_back(std::move(pose));
            frames.push_back(key.frame);
            dists.push_back(key.dist);
        }
        requireRulesLength((int)moveFrames.size(), frames.back(), moveLength((int)moveFrames.size()));
        movePoses.push_back(std::move(poses));
        moveFrames.push_back(std::move(frames));
        moveDists.push_back(std::move(dists));
        poses.clear();
        frames.clear();
        dists.clear();
    }
}
