// The fast motion-file reader on texts whose answer is known: numbers of every shape, words and
// blanks, whole files written from known meshes, and the game's own motion files.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "animation/filreader.h"
#include "bench/hand_frames.h"
#include "tests/support/files.h"
#include "tests/support/motion_library.h"

namespace {

// Same bits, so that -0 and 0 count as different.
bool sameNumber(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// A token followed by " 7": the number read, whether the file then fails, and the next number
// read (a failed file gives 0 for ever after, as a stream does).
struct NumberCase {
    const char* token;
    double first;
    bool failed;
    double second;
};

const NumberCase NUMBERS[] = {
    {"0", 0.0, false, 7},           {"-0", -0.0, false, 7},
    {"7", 7, false, 7},             {"-0.7317", -0.7317, false, 7},
    {"1136", 1136, false, 7},       {"+3", 3, false, 7},
    {"+.5", 0.5, false, 7},         {"5.", 5, false, 7},
    {".5", 0.5, false, 7},          {"-.25", -0.25, false, 7},
    {"1e2", 100, false, 7},         {"-2.5E-1", -0.25, false, 7},
    {"+3e+0", 3, false, 7},         {"000012.5000", 12.5, false, 7},
    {"1e-400", 0.0, false, 7},      {"3.14159265358979", 3.14159265358979, false, 7},
    {"0.1234567890123456789", 0.1234567890123456789, false, 7},
    {"123456789012345678901", 123456789012345678901.0, false, 7},
    {"9007199254740993", 9007199254740992.0, false, 7},
    // A number ends where its characters stop making one; what follows is the next token.
    {"1.2.3", 1.2, false, 0.3},     {"1-2", 1, false, -2},
    {"12abc", 12, false, 0},        {"0x10", 0, false, 0},
    {"1/2", 1, false, 0},           {"4//5", 4, false, 0},
    // Nothing that starts a number, or a number out of range: the file fails there.
    {"1e", 0, true, 0},             {"1e+", 0, true, 0},
    {"2E-", 0, true, 0},            {".", 0, true, 0},
    {"-", 0, true, 0},              {"+", 0, true, 0},
    {"e5", 0, true, 0},             {"--1", 0, true, 0},
    {"1e400", 0, true, 0},          {"-1e400", 0, true, 0},
};

// A value as a motion file may write it: plainly, or in one of the odd shapes it reads the same.
std::string written(double value, int shape) {
    char buffer[48];
    const char* formats[] = {"%.17g", "%+.17g", "%.17e", "%.17E"};
    std::snprintf(buffer, sizeof buffer, formats[shape % 4], value);
    return buffer;
}

}  // namespace

TEST(ReaderKnownAnswers, NumbersOfEveryShape) {
    FreshFolder folder;
    std::string file = folder.file("numbers.txt");
    for (const NumberCase& c : NUMBERS) {
        SCOPED_TRACE(c.token);
        writeWholeFile(file, std::string(c.token) + " 7");
        FileReader reader(file.c_str());
        double first = reader.nextNumber();
        EXPECT_TRUE(sameNumber(first, c.first)) << first;
        EXPECT_EQ(reader.inputFile.fail(), c.failed);
        double second = reader.nextNumber();
        EXPECT_TRUE(sameNumber(second, c.second)) << second;
    }
}

// Words and numbers part at any blank; at the end, words are empty and the file is at its end.
TEST(ReaderKnownAnswers, WordsAndNumbersBetweenBlanksOfEveryKind) {
    FreshFolder folder;
    std::string file = folder.file("words.txt");
    writeWholeFile(file, "  gbody\tv\n-1.5\r\nvt \v# \f 2e1\n\n");
    FileReader reader(file.c_str());
    EXPECT_EQ(reader.nextWord(), "gbody");
    EXPECT_EQ(reader.nextWord(), "v");
    EXPECT_TRUE(sameNumber(reader.nextNumber(), -1.5));
    EXPECT_EQ(reader.nextWord(), "vt");
    EXPECT_EQ(reader.nextWord(), "#");
    EXPECT_TRUE(sameNumber(reader.nextNumber(), 20.0));
    EXPECT_FALSE(reader.inputFile.fail());
    EXPECT_EQ(reader.nextWord(), "");
    EXPECT_TRUE(reader.inputFile.eof());
    EXPECT_TRUE(sameNumber(reader.nextNumber(), 0.0));
}

// Random meshes written out with every value in one of its shapes come back exactly.
TEST(ReaderKnownAnswers, WholeFilesComeBackAsTheyWereWritten) {
    FrameRandom random(6);
    FreshFolder folder;
    std::string file = folder.file("pose.txt");
    for (int round = 0; round < 300; round++) {
        SCOPED_TRACE("round " + std::to_string(round));
        Mesh mesh(4);
        std::string text;
        auto row = [&](const char* key, int width, MeshList& list) {
            MeshRow values;
            text += key;
            for (int i = 0; i < width; i++) {
                double value = (random.below(2000001) - 1000000) / 1048576.0;
                values.push_back(value);
                text += " " + written(value, random.below(4));
            }
            text += random.below(2) ? "\n" : " \r\n";
            list.push_back(values);
        };
        int vertices = 3 + random.below(20);
        for (int i = 0; i < vertices; i++) {
            row("v", 3, mesh[MESH_VERTICES]);
        }
        for (int i = 0, n = 1 + random.below(5); i < n; i++) {
            row("vt", 2, mesh[MESH_COLORS]);
        }
        for (int i = 0; i < vertices; i++) {
            row("vn", 3, mesh[MESH_NORMALS]);
        }
        for (int i = 0, n = 1 + random.below(20); i < n; i++) {
            MeshRow face;
            text += "f";
            for (int corner = 0; corner < 3; corner++) {
                int v = 1 + random.below(vertices), vn = 1 + random.below(vertices);
                face.insert(face.end(), {(double)v, 1.0, (double)vn});
                text += " " + std::to_string(v) + "/1/" + std::to_string(vn);
            }
            text += "\n";
            mesh[MESH_FACES].push_back(face);
        }
        writeWholeFile(file, text + (random.below(2) ? "g robot\n" : "gbody"));
        FileReader reader(file.c_str());
        ASSERT_EQ(reader.getAll(), mesh);
    }
}

// The game's files: as many normals as vertices, every corner naming a vertex and a normal that
// are there, and the same robot in every pose.
TEST(ReaderKnownAnswers, TheGameMotionFilesAreWholeRobots) {
    std::string folder = std::string(VANTORIX_DATA_DIR) + "/";
    FileReader reader((folder + motionFileNames[0]).c_str());
    size_t vertices = 0;
    for (const char* name : motionFileNames) {
        SCOPED_TRACE(name);
        reader.changeFile((folder + name).c_str());
        Mesh mesh = reader.getAll();
        ASSERT_FALSE(mesh[MESH_FACES].empty());
        if (vertices == 0) {
            vertices = mesh[MESH_VERTICES].size();
        }
        EXPECT_EQ(mesh[MESH_VERTICES].size(), vertices);
        EXPECT_EQ(mesh[MESH_NORMALS].size(), vertices);
        for (const MeshRow& face : mesh[MESH_FACES]) {
            ASSERT_EQ(face.size(), 9u);
            for (int corner = 0; corner < 3; corner++) {
                ASSERT_GE(face[corner * 3], 1.0);
                ASSERT_LE(face[corner * 3], (double)vertices);
                ASSERT_GE(face[corner * 3 + 2], 1.0);
                ASSERT_LE(face[corner * 3 + 2], (double)vertices);
            }
        }
    }
}
