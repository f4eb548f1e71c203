// The recording's writer and reader: what goes in comes out, damage is refused with its reason,
// and a file cut short anywhere still leaves a fight to replay.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>

#include "replay/recording.h"
#include "tests/support/files.h"

namespace {

// A fresh folder for the files of one test.
struct Folder : FreshFolder {
    std::string file(const std::string& name) const { return path() + "/" + name; }
};

// Frame n's inputs run through every value each field may take.
FrameInputs inputsOfFrame(int n) {
    FrameInputs inputs;
    inputs.left1 = n & 1;
    inputs.right1 = (n >> 1) & 1;
    inputs.sign1 = (n >> 2) & 3;
    inputs.left2 = (n >> 4) & 1;
    inputs.right2 = (n >> 5) & 1;
    inputs.sign2 = (n >> 6) & 3;
    inputs.towerKeys = (n >> 8) & 7;
    return inputs;
}

// Writes frames as the game does, with a made-up fingerprint every CHECKPOINT_FRAMES frames.
void writeFight(RecordingWriter& writer, int frames) {
    for (int n = 0; n < frames; n++) {
        writer.addFrame(inputsOfFrame(n));
        if (writer.frameCount() % CHECKPOINT_FRAMES == 0) {
            writer.addFingerprint(0x9e3779b9u * (uint32_t)writer.frameCount());
        }
    }
}

std::string recordedFight(const Folder& folder, int frames) {
    RecordingWriter writer;
    std::string path = folder.file("fight.vxr");
    EXPECT_TRUE(writer.create(path, 1234567)) << writer.error();
    writeFight(writer, frames);
    EXPECT_TRUE(writer.close());
    return readWholeFile(path);
}

std::string parseError(const std::string& bytes) {
    Recording recording;
    std::string error;
    EXPECT_FALSE(parseRecording(bytes, recording, error));
    return error;
}

}  // namespace

TEST(RecordingFormat, WhatIsWrittenReadsBackWholeAndSmall) {
    Folder folder;
    std::string bytes = recordedFight(folder, 2048);
    Recording recording;
    std::string error;
    ASSERT_TRUE(parseRecording(bytes, recording, error)) << error;
    EXPECT_TRUE(recording.complete);
    EXPECT_EQ(recording.sparkSeed, 1234567u);
    ASSERT_EQ(recording.frames.size(), 2048u);
    for (int n = 0; n < 2048; n++) {
        ASSERT_EQ(recording.frames[n], inputsOfFrame(n)) << "frame " << n;
    }
    EXPECT_EQ(recording.fingerprints.size(), 2048u / CHECKPOINT_FRAMES);
    EXPECT_EQ(recording.fingerprints.at(120), 0x9e3779b9u * 120);

    // Ten minutes at 60 frames a second.
    Folder big;
    EXPECT_LT(recordedFight(big, 10 * 60 * 60).size(), 150u * 1024);
}

TEST(RecordingFormat, AnExistingFileIsNeverReplaced) {
    Folder folder;
    std::string path = folder.file("fight.vxr");
    std::ofstream(path) << "mine";
    RecordingWriter writer;
    EXPECT_FALSE(writer.create(path, 1));
    EXPECT_EQ(writer.error(), "File exists");
    EXPECT_EQ(readWholeFile(path), "mine");
}

TEST(RecordingFormat, EveryCutShortFileReplaysItsWholeFrames) {
    Folder folder;
    std::string bytes = recordedFight(folder, 130);
    Recording whole;
    std::string error;
    ASSERT_TRUE(parseRecording(bytes, whole, error));
    size_t lastCount = 0;
    for (size_t size = 14; size < bytes.size(); size++) {
        Recording cut;
        ASSERT_TRUE(parseRecording(bytes.substr(0, size), cut, error)) << size << ": " << error;
        EXPECT_FALSE(cut.complete);
        ASSERT_GE(cut.frames.size(), lastCount);
        lastCount = cut.frames.size();
        EXPECT_TRUE(std::equal(cut.frames.begin(), cut.frames.end(), whole.frames.begin())) << size;
    }
    EXPECT_EQ(lastCount, 130u);
}

TEST(RecordingFormat, WhatIsNotARecordingIsRefusedWithItsReason) {
    Folder folder;
    std::string good = recordedFight(folder, 70);
    auto changed = [&](size_t at, char byte) {
        std::string bytes = good;
        bytes[at] = byte;
        return bytes;
    };
    // The real program's refusals (empty, foreign, future, missing, a folder) are tested with it.
    EXPECT_EQ(parseError(good.substr(0, 11)), "the file is cut short inside its header");
    EXPECT_EQ(parseError(changed(8, 0)).substr(0, 35), "the recording has format version 0,");
    EXPECT_EQ(parseError(changed(17, 'Q')), "the file is damaged: an unknown record at byte 17");
    EXPECT_EQ(parseError(changed(16, 8)), "the file is damaged: a frame holds unknown keys at byte 14");
    // A changed input is caught by the next check sum.
    EXPECT_EQ(parseError(changed(15, 1)), "the file is damaged: its check sum fails at byte 194");
    EXPECT_EQ(parseError(changed(195, 61)), "the file is damaged: a frame count does not match at byte 194");
    EXPECT_EQ(parseError(good + "F"), "the file is damaged: bytes follow its end at byte " +
                                          std::to_string(good.size()));
}
