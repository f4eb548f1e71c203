// Tests of pose and distance interpolation over the move clock.
#include <gtest/gtest.h>

#include "animation/moves.h"
#include "tests/animation/motion_files.h"
#include "tests/support/data_dir.h"

namespace {

// A library of small poses: file k of motionFileNames has its first vertex at (k + 1, 0, 0)
// and its third normal at (0, 0, k + 2).
class Interpolation : public testing::Test {
protected:
    void SetUp() override {
        writeLibrary(folder);
        ScopedWorkingDirectory inside(folder.path());
        moves.loadMoves();
    }
    Mesh file(const char* name) const { return readMotionFile(folder.file(name)); }

    FreshFolder folder;
    Moves moves;
};

TEST_F(Interpolation, KeyFramesGiveTheirPosesExactly) {
    for (int m = 0; m < 7; m++) {
        for (size_t k = 0; k < moves.moveFrames[m].size(); k++) {
            SCOPED_TRACE(testing::Message() << "move " << m << " key " << k);
            int frame = moves.moveFrames[m][k];
            EXPECT_EQ(moves.interpolate(m, frame), moves.movePoses[m][k]);
            float dist = k + 1 == moves.moveFrames[m].size() ? 30 : moves.moveDists[m][k];
            EXPECT_FLOAT_EQ(moves.interpolateDist(m, frame), dist);
        }
    }
}

TEST_F(Interpolation, RestPoseAndFinishedMovesHoldTheirLastPose) {
    for (int clock : {-10, 0, 3, 1000}) {
        EXPECT_EQ(moves.interpolate(0, clock), file("Punch00.txt"));
        EXPECT_EQ(moves.interpolateDist(0, clock), 30);
    }
    for (int m = 1; m < 7; m++) {
        int length = moves.getMoveLength(m);
        for (int clock : {length, length + 1, length + 500}) {
            EXPECT_EQ(moves.interpolate(m, clock), moves.movePoses[m].back());
            EXPECT_EQ(moves.interpolateDist(m, clock), 30);
        }
    }
}

TEST_F(Interpolation, LungeReachesItsDeepestPoseAtSeventy) {
    EXPECT_EQ(moves.interpolate(4, 70), file("Banana03.txt"));
    EXPECT_FLOAT_EQ(moves.interpolateDist(4, 70), 1);
    EXPECT_FLOAT_EQ(moves.interpolateDist(4, 55), 5.5f);
    EXPECT_EQ(moves.interpolate(5, 70), file("Ayuken03.txt"));

    // Half way from "Banana02.txt" (first vertex x 14) to "Banana03.txt" (x 15).
    Mesh half = moves.interpolate(4, 55);
    Mesh earlier = file("Banana02.txt");
    EXPECT_DOUBLE_EQ(half[MESH_VERTICES][0][0], 14.5);
    EXPECT_DOUBLE_EQ(half[MESH_VERTICES][3][2], -14.5);
    EXPECT_DOUBLE_EQ(half[MESH_NORMALS][2][2], 15.5);
    EXPECT_EQ(half[MESH_COLORS], earlier[MESH_COLORS]);
    EXPECT_EQ(half[MESH_FACES], earlier[MESH_FACES]);
}

TEST_F(Interpolation, NegativeClocksExtrapolateFromTheFirstPose) {
    // Punch: "Punch00.txt" (x 1) at 0 and "Punch01.txt" (x 2) at 6; clock -6 gives f = -1.
    Mesh before = moves.interpolate(1, -6);
    EXPECT_DOUBLE_EQ(before[MESH_VERTICES][0][0], 0);
    EXPECT_DOUBLE_EQ(before[MESH_NORMALS][2][2], 1);
    // Lunge distances 30 at 0 and 20 at 20; clock -10 gives f = -0.5.
    EXPECT_FLOAT_EQ(moves.interpolateDist(4, -10), 35);
}

// Poses that do not match: the earlier pose keeps its shape, the common entries are blended.
TEST(InterpolationMismatch, BlendsOnlyWhatBothPosesHold) {
    FreshFolder folder;
    folder.write("four.txt", tetrahedronFile(2));
    folder.write("three.txt", "v 4 0 0 v 0 4 0 v 0 0 4 vt 0 0 vn 0 0 6 vn 0 0 6\n"
                              "f 1/1/1 2/1/2 3/1/2 g");
    Mesh four = readMotionFile(folder.file("four.txt"));
    Mesh three = readMotionFile(folder.file("three.txt"));
    Moves moves;
    moves.movePoses = {{four}, {four, three, four}};
    moves.moveFrames = {{0}, {0, 10, 20}};
    moves.moveDists = {{30}, {30, 30, 30}};

    Mesh shrinking = moves.interpolate(1, 5);  // four vertices towards three
    ASSERT_EQ(shrinking[MESH_VERTICES].size(), 4u);
    ASSERT_EQ(shrinking[MESH_NORMALS].size(), 4u);
    EXPECT_DOUBLE_EQ(shrinking[MESH_VERTICES][0][0], 3);
    EXPECT_DOUBLE_EQ(shrinking[MESH_VERTICES][2][2], 3);
    EXPECT_EQ(shrinking[MESH_VERTICES][3], four[MESH_VERTICES][3]);
    EXPECT_DOUBLE_EQ(shrinking[MESH_NORMALS][1][2], 4);  // (2 + 6) / 2
    EXPECT_EQ(shrinking[MESH_NORMALS][2], four[MESH_NORMALS][2]);

    Mesh growing = moves.interpolate(1, 15);  // three vertices, two normals, towards four
    ASSERT_EQ(growing[MESH_VERTICES].size(), 3u);
    ASSERT_EQ(growing[MESH_NORMALS].size(), 2u);
    EXPECT_DOUBLE_EQ(growing[MESH_VERTICES][0][0], 3);
    EXPECT_DOUBLE_EQ(growing[MESH_NORMALS][1][2], 4);
    EXPECT_EQ(growing[MESH_FACES], three[MESH_FACES]);

    // The frame's pose is kept and refilled: nothing of a larger pose before may stay behind.
    Mesh kept;
    for (int clock : {5, 15, 0, 15, 5}) {
        moves.interpolate(1, clock, kept);
        EXPECT_EQ(kept, moves.interpolate(1, clock)) << "clock " << clock;
    }
}

}  // namespace
