// Tests of FileReader: the token rules of motion files and the ways a bad file ends.
#include <gtest/gtest.h>

#include "animation/filreader.h"
#include "tests/animation/motion_files.h"

namespace {

const char* const smallestFile = "v 0 0 0\nv 1 0 0\nv 0 1 0\nvt 0 0\nvn 0 0 1\nf 1/1/1 2/1/1 3/1/1\ng\n";

Mesh readText(const std::string& text) {
    FreshFolder folder;
    folder.write("pose.txt", text);
    return readMotionFile(folder.file("pose.txt"));
}

void expectSizes(const Mesh& mesh, size_t v, size_t vt, size_t vn, size_t f) {
    ASSERT_EQ(mesh.size(), 4u);
    EXPECT_EQ(mesh[MESH_VERTICES].size(), v);
    EXPECT_EQ(mesh[MESH_COLORS].size(), vt);
    EXPECT_EQ(mesh[MESH_NORMALS].size(), vn);
    EXPECT_EQ(mesh[MESH_FACES].size(), f);
}

TEST(FileReader, SmallestCompleteFile) {
    Mesh mesh = readText(smallestFile);
    expectSizes(mesh, 3, 1, 1, 1);
    EXPECT_EQ(mesh[MESH_VERTICES][1], MeshRow({1, 0, 0}));
    EXPECT_EQ(mesh[MESH_COLORS][0], MeshRow({0, 0}));
    EXPECT_EQ(mesh[MESH_NORMALS][0], MeshRow({0, 0, 1}));
    EXPECT_EQ(mesh[MESH_FACES][0], MeshRow({1, 1, 1, 2, 1, 1, 3, 1, 1}));
}

TEST(FileReader, LineEndsCarryNoMeaning) {
    Mesh reference = readText(tetrahedronFile(2));
    std::string scrambled =
        "v 2 0 0 v 0 2 0\nv\n0\n0\n2 v -2 -2 -2 vt 0 0 vt 1\n0 vt 0 1 vn 1 0 2 vn 0 1 2\n"
        "vn 0 0 3 vn 0 0 2 f 1/1/1\n2/2/2 3/3/3 f 1/1/1 2/2/2 4/3/4\tf 1/1/1 3/2/3 4/3/4\n"
        "f 2/1/2 3/2/3 4/3/4 g robot";
    EXPECT_EQ(readText(scrambled), reference);
    std::string spacedSlashes =
        "v 2 0 0 v 0 2 0 v 0 0 2 v -2 -2 -2 vt 0 0 vt 1 0 vt 0 1\n"
        "vn 1 0 2 vn 0 1 2 vn 0 0 3 vn 0 0 2\n"
        "f 1 / 1 / 1  2 /2/ 2  3/ 3 /3\nf 1/1/1 2/2/2 4/3/4\nf 1 /1/1 3/2/3 4/3/4\n"
        "f 2/1/2 3/2/3 4/3/4\ng\n";
    EXPECT_EQ(readText(spacedSlashes), reference);
}

TEST(FileReader, AnyOtherWordEndsAList) {
    // "V", "vtx" and "vnormal" each stand for the keyword that opens the next section.
    Mesh mesh = readText("v 1 2 3 V 4 5 vt 6 7 vtx 0 1 0 vn 0 0 1 vnormal 1/1/1 1/2/1 1/1/1 g");
    expectSizes(mesh, 1, 2, 2, 1);
    EXPECT_EQ(mesh[MESH_COLORS][1], MeshRow({6, 7}));
    EXPECT_EQ(mesh[MESH_FACES][0][4], 2);

    Mesh noVertices = readText("vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1 g");
    expectSizes(noVertices, 0, 1, 1, 1);
}

TEST(FileReader, GroupWordEndsFacesAndNothingAfterItIsRead) {
    FreshFolder folder;
    folder.write("pose.txt",
                 "v 0 0 0 vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1 f 1/1/1 1/1/1 1/1/1\n"
                 "gbody\nf 9/9/9 9/9/9 9/9/9\n");
    FileReader reader(folder.file("pose.txt").c_str());
    Mesh mesh = reader.getAll();
    expectSizes(mesh, 1, 1, 1, 2);
    EXPECT_EQ(reader.nextWord(), "body");
}

TEST(FileReader, NumbersAsStreamsReadThem) {
    Mesh mesh = readText("v 1e2 -2.5E-1 +3e+0 vt .5 5. vn 0 0 1\n"
                         "f 1.5/1.25/1.75 2.9/1/1 1/1/1 g");
    EXPECT_EQ(mesh[MESH_VERTICES][0], MeshRow({100, -0.25, 3}));
    EXPECT_EQ(mesh[MESH_COLORS][0], MeshRow({0.5, 5}));
    EXPECT_EQ(mesh[MESH_FACES][0], MeshRow({1.5, 1.25, 1.75, 2.9, 1, 1, 1, 1, 1}));
}

TEST(FileReader, WordAndNumberReaders) {
    FreshFolder folder;
    folder.write("words.txt", "  alpha\t-12.5e1/ beta x");
    FileReader reader(folder.file("words.txt").c_str());
    EXPECT_EQ(reader.nextWord(), "alpha");
    EXPECT_EQ(reader.nextNumber(), -125);
    EXPECT_EQ(reader.nextWord(), "/");
    EXPECT_EQ(reader.nextWord(), "beta");
    EXPECT_EQ(reader.nextNumber(), 0);  // "x" is no number
    EXPECT_EQ(reader.nextWord(), "");
    EXPECT_EQ(reader.nextNumber(), 0);
    EXPECT_EQ(reader.isEOF(), 0);
}

// Each broken file ends with whatever complete entries came before the fault, and the same
// reader then reads a good file in full.
TEST(FileReader, EveryFailureEndsAndTheNextFileStillReads) {
    FreshFolder folder;
    folder.write("good.txt", smallestFile);
    struct Case {
        const char* text;
        size_t v, vt, vn, f;
    };
    const Case cases[] = {
        {NULL, 0, 0, 0, 0},                                             // missing file
        {"", 0, 0, 0, 0},                                               // empty file
        {"v 1 abc 3 v 4 5 6 vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1 g", 0, 0, 0, 0},
        {"v 1 2 3 vt 0 0 vn 0 0 1 f 1/1/1 1/x/1 1/1/1 g", 1, 1, 1, 0},  // word in a face
        {"v 1 2 3 vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1", 1, 1, 1, 1},    // no closing g
        {"v 1 2 3 vt 0 0 vn 0 0 1 f 1/1/1 1/1/1 1/1/1 f 1/1/1 1/1", 1, 1, 1, 1},
        {"v 1 2 3 v 4 5", 1, 0, 0, 0},                                  // ends inside a vertex
        {"v 1 2 3 vt 0 0 vt 1", 1, 1, 0, 0},
    };
    FileReader reader(folder.file("good.txt").c_str());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text == NULL ? "missing file" : c.text);
        if (c.text != NULL) {
            folder.write("bad.txt", c.text);
            reader.changeFile(folder.file("bad.txt").c_str());
        } else {
            reader.changeFile(folder.file("absent.txt").c_str());
        }
        expectSizes(reader.getAll(), c.v, c.vt, c.vn, c.f);
        reader.changeFile(folder.file("good.txt").c_str());
        expectSizes(reader.getAll(), 3, 1, 1, 1);
    }
}

TEST(FileReader, ReadingAFileAgainGivesTheSameMesh) {
    FreshFolder folder;
    folder.write("pose.txt", tetrahedronFile(3));
    FileReader reader(folder.file("pose.txt").c_str());
    Mesh first = reader.getAll();
    reader.changeFile(folder.file("pose.txt").c_str());
    EXPECT_EQ(reader.getAll(), first);
    expectSizes(first, 4, 3, 4, 4);
}

}  // namespace
