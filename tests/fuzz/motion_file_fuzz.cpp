// Fuzz target: any bytes read as a motion file the way the move library reads a pose, then checked.
#include <cstdint>
#include <cstring>
#include <string>

#include "animation/filreader.h"
#include "animation/motion_check.h"
#include "tests/fuzz/fuzz_support.h"
#include "tests/support/stream_reader.h"

namespace {

// Same bits, so that -0 and 0 differ and NaN equals itself.
bool sameNumber(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0; }

bool sameMesh(const Mesh& a, const Mesh& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t c = 0; c < a.size(); c++) {
        if (a[c].size() != b[c].size()) {
            return false;
        }
        for (size_t e = 0; e < a[c].size(); e++) {
            if (a[c][e].size() != b[c][e].size()) {
                return false;
            }
            for (size_t i = 0; i < a[c][e].size(); i++) {
                if (!sameNumber(a[c][e][i], b[c][e][i])) {
                    return false;
                }
            }
        }
    }
    return true;
}

std::string sizes(const Mesh& mesh) {
    std::string text;
    for (const MeshList& list : mesh) {
        text += std::to_string(list.size()) + " ";
    }
    return text;
}

void checkSameState(const FileReader& fast, const StreamReader& stream, const char* when) {
    if (fast.inputFile.fail() != stream.in.fail() || fast.inputFile.eof() != stream.in.eof()) {
        fuzz::fail(std::string("reader state differs from the stream's ") + when);
    }
}

// A small sound motion file, to move the reader to after the input.
std::string soundMotionFile() {
    static const char text[] =
        "v 1 2 3\nv 4 5 6\nv 7 8 9\nvt 0 0\nvn 0 0 1\nvn 0 1 0\nvn 1 0 0\n"
        "f 1/1/1 2/1/2 3/1/3\ng robot\n";
    std::string file = fuzz::scratchFile("Other.txt");
    fuzz::writeInput(file, (const uint8_t*)text, sizeof text - 1);
    return file;
}

// What the check's approval promises the engine, which truncates each index toward zero and
// takes that entry of its list counting from 1, and blends one normal per vertex.
void checkDrawable(const Mesh& pose) {
    if (pose[MESH_NORMALS].size() < pose[MESH_VERTICES].size()) {
        fuzz::fail("an approved pose has fewer normals than vertices");
    }
    for (const MeshRow& face : pose[MESH_FACES]) {
        for (int i = 0; i < 9; i++) {
            size_t listSize = pose[i % 3].size();
            double index = face[i];
            if (!(index >= 1 && index < (double)listSize + 1) || (size_t)index - 1 >= listSize) {
                fuzz::fail("an approved pose has a face index outside its list");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string file = fuzz::scratchFile("Pose.txt");
    static const std::string other = soundMotionFile();
    fuzz::writeInput(file, data, size);

    // As in the library: one reader moved from file to file, each read whole, then checked.
    FileReader reader(file.c_str());
    bool opened = reader.inputFile.is_open();
    Mesh pose = reader.getAll();
    if (pose.size() != 4) {
        fuzz::fail("the reader gave " + std::to_string(pose.size()) + " components");
    }
    for (size_t c = 0; c < pose.size(); c++) {
        size_t width = c == MESH_FACES ? 9 : c == MESH_COLORS ? 2 : 3;
        for (const MeshRow& row : pose[c]) {
            if (row.size() != width) {
                fuzz::fail("component " + std::to_string(c) + " holds a row of " +
                           std::to_string(row.size()) + " numbers");
            }
        }
    }
    std::string fault = motionFault(opened, pose, 0);
    if (fault.empty()) {
        checkDrawable(pose);
    }
    // As a later file, measured against a first pose of three vertices.
    motionFault(opened, pose, 3);

    // The stream-based reader reads the same lists and ends in the same state.
    StreamReader stream(file);
    Mesh streamPose = stream.getAll();
    if (!sameMesh(pose, streamPose)) {
        fuzz::fail("the reader gives lists of " + sizes(pose) + "where the stream gives " +
                   sizes(streamPose));
    }
    checkSameState(reader, stream, "after the whole file");
    // What follows the closing group line, token by token, in a mixture chosen by the input.
    unsigned pattern = size > 0 ? data[0] : 0;
    for (int step = 0; step < 8; step++, pattern >>= 1) {
        if (pattern & 1) {
            if (reader.nextWord() != stream.nextWord()) {
                fuzz::fail("a word after the file differs from the stream's");
            }
        } else if (!sameNumber(reader.nextNumber(), stream.nextNumber())) {
            fuzz::fail("a number after the file differs from the stream's");
        }
        checkSameState(reader, stream, "after the file");
    }

    // Moving on to another file starts afresh whatever state this one ended in, and coming back
    // to this one reads it the same again.
    reader.changeFile(other.c_str());
    Mesh small = reader.getAll();
    if (!motionFault(true, small, 3).empty()) {
        fuzz::fail("a sound file after a damaged one is refused: " + motionFault(true, small, 3));
    }
    reader.changeFile(file.c_str());
    Mesh again = reader.getAll();
    if (!sameMesh(pose, again) || motionFault(opened, again, 0) != fault) {
        fuzz::fail("reading the file a second time gives another pose");
    }
    return 0;
}
