// The fast motion-file reader against the stream-based reader it replaced, token for token.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "animation/filreader.h"
#include "bench/hand_frames.h"
#include "tests/support/files.h"
#include "tests/support/motion_library.h"
#include "tests/support/stream_reader.h"

namespace {

// Numbers of every shape a stream may meet, the odd ones included.
const char* const NUMBERS[] = {
    "0", "-0", "7", "-0.7317", "0.6067", "1136", "+3", "+.5", "5.", ".5", "-.25", "1e2",
    "-2.5E-1", "+3e+0", "1e", "1e+", "2E-", ".", "-", "+", "1.2.3", "12abc", "0x10", "1e400",
    "-1e400", "1e-400", "000012.5000", "123456789012345678901", "0.1234567890123456789",
    "9007199254740993", "3.14159265358979", "1/2", "4//5", "e5", "--1", "1-2"};
const char* const WORDS[] = {"v", "vt", "vn", "f", "g", "gbody", "V", "vtx", "x", "/", "#", "robot"};
const char* const BLANKS[] = {" ", "  ", "\t", "\n", "\r\n", " \n ", "\v", "\f", ""};

std::string randomText(FrameRandom& random, int tokens) {
    std::string text;
    for (int i = 0; i < tokens; i++) {
        if (random.below(3) == 0) {
            text += WORDS[random.below(sizeof WORDS / sizeof *WORDS)];
        } else {
            text += NUMBERS[random.below(sizeof NUMBERS / sizeof *NUMBERS)];
        }
        text += BLANKS[random.below(sizeof BLANKS / sizeof *BLANKS)];
    }
    return text;
}

// A well-formed file with, now and then, one entry spoiled by an odd token.
std::string randomMotionFile(FrameRandom& random) {
    std::string text;
    auto number = [&]() {
        if (random.below(40) == 0) {
            return std::string(NUMBERS[random.below(sizeof NUMBERS / sizeof *NUMBERS)]);
        }
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.4f", (random.below(40001) - 20000) / 10000.0);
        return std::string(buffer);
    };
    int vertices = 3 + random.below(20);
    for (int i = 0; i < vertices; i++) {
        text += "v " + number() + " " + number() + " " + number() + "\n";
    }
    for (int i = 0, n = 1 + random.below(5); i < n; i++) {
        text += "vt " + number() + " " + number() + "\n";
    }
    for (int i = 0; i < vertices; i++) {
        text += "vn " + number() + " " + number() + " " + number() + "\n";
    }
    for (int i = 0, n = 1 + random.below(20); i < n; i++) {
        text += "f";
        for (int corner = 0; corner < 3; corner++) {
            text += " " + std::to_string(1 + random.below(vertices)) + "/1/" +
                    std::to_string(1 + random.below(vertices));
        }
        text += "\n";
    }
    return text + (random.below(2) ? "g robot\n" : "gbody");
}

void expectSameState(const std::ifstream& got, const std::ifstream& want, int step) {
    EXPECT_EQ(got.fail(), want.fail()) << "step " << step;
    EXPECT_EQ(got.eof(), want.eof()) << "step " << step;
}

// Same bits, so that -0 and 0 count as different and NaN as itself.
bool sameNumber(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

TEST(ReaderAgainstStream, WordsAndNumbersInAnyMixture) {
    FrameRandom random(5);
    FreshFolder folder;
    std::string file = folder.file("reader.txt");
    for (int round = 0; round < 300; round++) {
        writeWholeFile(file, randomText(random, 1 + random.below(30)));
        FileReader fast(file.c_str());
        StreamReader stream(file);
        for (int step = 0; step < 40; step++) {
            if (random.below(2) == 0) {
                ASSERT_EQ(fast.nextWord(), stream.nextWord()) << "round " << round << " step " << step;
            } else {
                double got = fast.nextNumber(), want = stream.nextNumber();
                ASSERT_TRUE(sameNumber(got, want))
                    << "round " << round << " step " << step << ": " << got << " against " << want;
            }
            expectSameState(fast.inputFile, stream.in, step);
        }
    }
}

TEST(ReaderAgainstStream, WholeFilesAndWhatFollowsThem) {
    FrameRandom random(6);
    FreshFolder folder;
    std::string file = folder.file("reader.txt");
    for (int round = 0; round < 300; round++) {
        writeWholeFile(file, randomMotionFile(random) + randomText(random, 3));
        FileReader fast(file.c_str());
        StreamReader stream(file);
        ASSERT_EQ(fast.getAll(), stream.getAll()) << "round " << round;
        expectSameState(fast.inputFile, stream.in, round);
        EXPECT_EQ(fast.nextWord(), stream.nextWord()) << "round " << round;
    }
}

TEST(ReaderAgainstStream, TheGameMotionFiles) {
    std::string folder = std::string(VANTORIX_DATA_DIR) + "/";
    FileReader fast((folder + motionFileNames[0]).c_str());
    for (const char* name : motionFileNames) {
        SCOPED_TRACE(name);
        fast.changeFile((folder + name).c_str());
        StreamReader stream(folder + name);
        Mesh got = fast.getAll();
        EXPECT_FALSE(got[MESH_FACES].empty());
        EXPECT_EQ(got, stream.getAll());
    }
}
