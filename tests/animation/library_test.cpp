// Tests of the motion library: its shape, and the start-up check of the motion files.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "animation/motion_check.h"
#include "animation/moves.h"
#include "platform/game_end.h"
#include "tests/animation/motion_files.h"
#include "tests/support/data_dir.h"

namespace {

TEST(MotionLibrary, MovesHaveTheirKeyPosesFramesAndDistances) {
    FreshFolder folder;
    writeLibrary(folder);
    ScopedWorkingDirectory inside(folder.path());
    Moves moves;
    moves.loadMoves();
    const size_t poses[7] = {1, 9, 11, 3, 7, 7, 3};
    const int lengths[7] = {0, 75, 75, 50, 150, 150, 50};
    ASSERT_EQ(moves.movePoses.size(), 7u);
    ASSERT_EQ(moves.moveFrames.size(), 7u);
    ASSERT_EQ(moves.moveDists.size(), 7u);
    for (int m = 0; m < 7; m++) {
        SCOPED_TRACE(m);
        EXPECT_EQ(moves.movePoses[m].size(), poses[m]);
        ASSERT_EQ(moves.moveFrames[m].size(), poses[m]);
        ASSERT_EQ(moves.moveDists[m].size(), poses[m]);
        EXPECT_EQ(moves.getMoveLength(m), lengths[m]);
        EXPECT_EQ(moves.moveFrames[m][0], 0);
        for (size_t k = 1; k < poses[m]; k++) {
            EXPECT_LT(moves.moveFrames[m][k - 1], moves.moveFrames[m][k]);
        }
        EXPECT_EQ(moves.moveDists[m].front(), 30);
        EXPECT_EQ(moves.moveDists[m].back(), 30);
    }
    EXPECT_EQ(moves.moveDists[4], std::vector<float>({30, 20, 10, 1, 5, 15, 30}));
    EXPECT_EQ(moves.moveDists[5], moves.moveDists[4]);
    // Spot checks that each key pose comes from its own file.
    EXPECT_EQ(moves.movePoses[2][5], readMotionFile(folder.file("HeadPunch05.txt")));
    EXPECT_EQ(moves.movePoses[5][3], readMotionFile(folder.file("Ayuken03.txt")));
    EXPECT_EQ(moves.movePoses[6][1], readMotionFile(folder.file("ComboPrep01.txt")));
    EXPECT_EQ(moves.movePoses[1][8], moves.movePoses[0][0]);
}

// The same check that start-up makes, one file at a time, so that a fault fails this test
// with the file's name instead of ending the test program.
TEST(MotionLibrary, ShippedRobotPassesTheStartUpCheck) {
    ScopedWorkingDirectory inside(dataDirectory());
    size_t vertexCount = readMotionFile("Punch00.txt")[MESH_VERTICES].size();
    for (const char* name : motionFileNames) {
        bool opened = std::filesystem::exists(name);
        EXPECT_EQ(motionFault(opened, readMotionFile(name), vertexCount), "") << name;
    }
}

TEST(MotionCheck, NamesEachFault) {
    FreshFolder folder;
    folder.write("good.txt", tetrahedronFile(1));
    Mesh good = readMotionFile(folder.file("good.txt"));
    EXPECT_EQ(motionFault(true, good, 0), "");
    EXPECT_EQ(motionFault(true, good, 4), "");
    EXPECT_NE(motionFault(false, good, 4).find("missing"), std::string::npos);

    Mesh empty = good;
    empty[MESH_VERTICES].clear();
    EXPECT_NE(motionFault(true, empty, 0).find("no vertices"), std::string::npos);
    EXPECT_NE(motionFault(true, good, 5).find("4 vertices where \"Punch00.txt\" has 5"),
              std::string::npos);

    Mesh fewNormals = good;
    fewNormals[MESH_NORMALS].pop_back();
    EXPECT_NE(motionFault(true, fewNormals, 4).find("3 normals for 4 vertices"),
              std::string::npos);

    Mesh noFaces = good;
    noFaces[MESH_FACES].clear();
    EXPECT_NE(motionFault(true, noFaces, 4).find("no faces"), std::string::npos);

    // Indices are truncated toward zero when drawn: 4.9 is vertex 4, 0.5 and 5 are outside.
    struct Bad {
        int position;
        double index;
        const char* words;
    };
    const Bad bad[] = {{0, 5, "vertex index 5"}, {6, 0.5, "vertex index 0.5"},
                       {4, 4, "vt index 4"},     {8, 0, "normal index 0"},
                       {5, -1, "normal index -1"}};
    for (const Bad& b : bad) {
        Mesh broken = good;
        broken[MESH_FACES][2][b.position] = b.index;
        std::string fault = motionFault(true, broken, 4);
        EXPECT_NE(fault.find(std::string("face 3 uses ") + b.words), std::string::npos) << fault;
    }
    Mesh edge = good;
    edge[MESH_FACES][0][0] = 4.9;
    EXPECT_EQ(motionFault(true, edge, 4), "");
}

// The load ends the game with status 1, and the line says which file and why.
static std::string endingLoad() {
    Moves moves;
    testing::internal::CaptureStderr();
    int status = -1;
    try {
        moves.loadMoves();
    } catch (const GameEnd& end) {
        status = end.status;
    }
    std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 1) << said;
    return said;
}

TEST(MotionCheck, StartUpStopsOnAnUnusableFileAndNamesIt) {
    FreshFolder folder;
    writeLibrary(folder);
    folder.write("Banana02.txt", "v 0 0 0 vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1 g");
    ScopedWorkingDirectory inside(folder.path());
    EXPECT_THAT(endingLoad(),
                testing::HasSubstr("\"Banana02.txt\": the file has 1 vertices where \"Punch00.txt\" has 4"));
    folder.write("Banana02.txt", tetrahedronFile(2));
    std::filesystem::remove(folder.file("Ayuken01.txt"));
    EXPECT_THAT(endingLoad(), testing::MatchesRegex(".*\"Ayuken01.txt\": .*missing.*"));
}

}  // namespace
