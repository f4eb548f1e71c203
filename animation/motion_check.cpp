// Start-up check that a motion file gives a pose the game can draw and blend.
#include "animation/motion_check.h"
#include "platform/game_end.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

static const char* const cornerIndexNames[3] = {"vertex", "vt", "normal"};

// True when a stored index (counted from 1, truncated toward zero when drawn) names an entry.
static bool indexInList(double index, size_t listSize) {
    return index >= 1.0 && index < (double)listSize + 1.0;
}

static std::string faceFault(const Mesh& pose) {
    const MeshList& faces = pose[MESH_FACES];
    for (size_t f = 0; f < faces.size(); f++) {
        for (int corner = 0; corner < 3; corner++) {
            for (int which = 0; which < 3; which++) {
                double index = faces[f][corner * 3 + which];
                size_t listSize = pose[which == 0 ? MESH_VERTICES
                                       : which == 1 ? MESH_COLORS
                                                    : MESH_NORMALS].size();
                if (!indexInList(index, listSize)) {
                    std::ostringstream text;
                    text << "face " << f + 1 << " uses " << cornerIndexNames[which] << " index "
                         << index << " but the file has " << listSize << " "
                         << cornerIndexNames[which] << " entries";
                    return text.str();
                }
            }
        }
    }
    return std::string();
}

std::string motionFault(bool opened, const Mesh& pose, size_t vertexCount) {
    if (!opened) {
        return "the file is missing or cannot be opened";
    }
    if (pose.size() != 4) {
        return "the file could not be read as a mesh";
    }
    size_t vertices = pose[MESH_VERTICES].size();
    std::ostringstream text;
    if (vertices == 0) {
        return "the file has no vertices (it must begin with its \"v\" lines)";
    }
    if (vertexCount != 0 && vertices != vertexCount) {
        text << "the file has " << vertices << " vertices where \"Punch00.txt\" has "
             << vertexCount;
        return text.str();
    }
    if (pose[MESH_NORMALS].size() < vertices) {
        text << "the file has " << pose[MESH_NORMALS].size() << " normals for " << vertices
             << " vertices";
        return text.str();
    }
    if (pose[MESH_FACES].empty()) {
        return "the file has no faces (or its face lines cannot be read)";
    }
    return faceFault(pose);
}

void requireUsableMotion(const char* fileName, bool opened, const Mesh& pose, size_t vertexCount) {
    std::string fault = motionFault(opened, pose, vertexCount);
    if (fault.empty()) {
        return;
    }
    std::fprintf(stderr, "Vantorix: unusable motion file \"%s\": %s\n", fileName, fault.c_str());
    endGame(1);
}

void requireRulesLength(int move, int lastFrame, int rulesLength) {
    if (lastFrame == rulesLength) {
        return;
    }
    std::fprintf(stderr, "Vantorix: move %d of the motion library ends at frame %d, the rules' at %d\n",
                 move, lastFrame, rulesLength);
    endGame(1);
}
