// A recorded fight: the file format's writer and reader (the format is described in docs/recording.md).
#ifndef VANTORIX_RECORDING_H
#define VANTORIX_RECORDING_H

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "game/frame_inputs.h"
#include "rules/fingerprint.h"

// The newest format this game writes and reads; every older one is read too. Format 1's
// fingerprints leave the towers out (fightFingerprintV1); format 2's cover the whole fight.
const int RECORDING_VERSION = 2;
// Frames between two fingerprints: about a second of play.
const int CHECKPOINT_FRAMES = FINGERPRINT_FRAMES;

// Writes a fight as it is played. Bytes are kept until flush(), which the caller runs at least
// once a second; a write that fails (a full disk, a file gone) stops the writing for good, and
// what reached the file before stays readable as a fight cut short.
class RecordingWriter {
public:
    RecordingWriter();
    ~RecordingWriter();

    // Creates the file, never replacing one that exists, and writes its header. False with the
    // reason in error() when the file cannot be made or written.
    bool create(const std::string& path, uint32_t sparkSeed);
    // One frame's inputs; every CHECKPOINT_FRAMES frames the caller adds the fingerprint.
    void addFrame(const FrameInputs& inputs);
    // The fight's fingerprint after the frames added so far.
    void addFingerprint(uint32_t fingerprint);
    // Hands what is kept to the file. False only on the call where writing first fails.
    bool flush();
    // Marks the fight complete, flushes and closes; later calls do nothing. False, as flush(),
    // only when writing first fails here.
    bool close();

    bool isOpen() const { return fd >= 0; }
    int frameCount() const { return frames; }
    const std::string& error() const { return problem; }

private:
    void put(const std::string& bytes);

    int fd;
    int frames;
    bool failed;
    uint32_t checksum;
    std::string pending;
    std::string problem;
};

struct Recording {
    int version = RECORDING_VERSION;
    uint32_t sparkSeed = 0;
    std::vector<FrameInputs> frames;
    // Fingerprint after the given number of frames.
    std::map<int, uint32_t> fingerprints;
    // False when the file ends before the game closed it (killed, crashed, disk full): the
    // frames are those that were written whole.
    bool complete = false;
};

// Reads a recording from its bytes. False with one line saying what is wrong in error.
bool parseRecording(const std::string& bytes, Recording& recording, std::string& error);
// Reads the file; the error names neither the file nor the program (the caller does).
bool loadRecording(const std::string& path, Recording& recording, std::string& error);

#endif
