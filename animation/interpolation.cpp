// Moves: blending the key poses and key distances of a move over its move clock.
#include <algorithm>

#include "animation/moves.h"

// Index of the last key frame at or below the clock; 0 below the first key frame.
static size_t keyPoseAt(const std::vector<int>& frames, int clock) {
    size_t k = 0;
    for (size_t i = 0; i < frames.size(); i++) {
        if (frames[i] <= clock) {
            k = i;
        }
    }
    return k;
}

static double blendFactor(const std::vector<int>& frames, size_t k, int clock) {
    return (double)(clock - frames[k]) / (double)(frames[k + 1] - frames[k]);
}

// Blends the first count rows of from towards to, coordinate by coordinate.
static void blendRows(MeshList& from, const MeshList& to, size_t count, double f) {
    for (size_t i = 0; i < count; i++) {
        size_t width = std::min(from[i].size(), to[i].size());
        for (size_t j = 0; j < width && j < 3; j++) {
            from[i][j] = to[i][j] * f + from[i][j] * (1 - f);
        }
    }
}

// The earlier pose gives the result its shape. Vertices are blended up to the smaller vertex
// count of the two poses and normals up to the smallest of the earlier pose's vertex count and
// both normal counts; anything past that stays as the earlier pose has it. The game's own poses
// all share one vertex count and carry enough normals, so there every entry is blended.
// Copying into a pose kept from the frame before reuses its rows: a robot's few thousand rows
// are not allocated again every frame.
void Moves::interpolate(int move, int clock, Mesh& pose) const {
    const std::vector<Mesh>& poses = movePoses[move];
    if (move == 0) {
        pose = poses[0];
        return;
    }
    const std::vector<int>& frames = moveFrames[move];
    size_t k = keyPoseAt(frames, clock);
    pose = poses[k];
    if (k + 1 >= poses.size()) {
        return;
    }
    double f = blendFactor(frames, k, clock);
    const Mesh& b = poses[k + 1];
    size_t vertices = std::min(pose[MESH_VERTICES].size(), b[MESH_VERTICES].size());
    size_t normals = std::min(pose[MESH_VERTICES].size(),
                              std::min(pose[MESH_NORMALS].size(), b[MESH_NORMALS].size()));
    blendRows(pose[MESH_VERTICES], b[MESH_VERTICES], vertices, f);
    blendRows(pose[MESH_NORMALS], b[MESH_NORMALS], normals, f);
}

Mesh Moves::interpolate(int move, int clock) const {
    Mesh pose;
    interpolate(move, clock, pose);
    return pose;
}

float Moves::interpolateDist(int move, int clock) const {
    if (move == 0) {
        return 30;
    }
    const std::vector<int>& frames = moveFrames[move];
    size_t k = keyPoseAt(frames, clock);
    if (k + 1 >= frames.size()) {
        return 30;
    }
    double f = blendFactor(frames, k, clock);
    const std::vector<float>& d = moveDists[move];
    return (float)(d[k] * (1 - f) + d[k + 1] * f);
}

int Moves::getMoveLength(int move) const { return moveFrames[move].back(); }
