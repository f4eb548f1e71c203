// Reading a recording back, refusing what is not one and keeping what a cut-short file holds.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/recording.h"
#include "replay/recording_format.h"

// Six hours of play; anything larger is not a recording the game made.
static const off_t LARGEST_RECORDING = 64L * 1024 * 1024;

static bool readHeader(const std::string& bytes, Recording& recording, std::string& error) {
    if (bytes.empty()) {
        error = "the file is empty";
        return false;
    }
    size_t compared = bytes.size() < sizeof RECORDING_MAGIC ? bytes.size() : sizeof RECORDING_MAGIC;
    if (bytes.compare(0, compared, RECORDING_MAGIC, compared) != 0) {
        error = "the file is not a Vantorix recording";
        return false;
    }
    if (bytes.size() < RECORDING_HEADER_SIZE) {
        error = "the file is cut short inside its header";
        return false;
    }
    uint32_t version = getNumber(bytes, 8, 2);
    if (version == 0 || version > (uint32_t)RECORDING_VERSION) {
        error = "the recording has format version " + std::to_string(version) +
                ", which this game does not know (it reads versions 1 to " +
                std::to_string(RECORDING_VERSION) + "): it was made by another version of the game";
        return false;
    }
    recording.version = (int)version;
    recording.sparkSeed = getNumber(bytes, 10, 4);
    return true;
}

// Walks the records, keeping the check sum of every byte before the one being read.
struct RecordReader {
    const std::string& bytes;
    Recording& recording;
    std::string& error;
    size_t offset;
    uint32_t checksum;
    size_t summed;

    bool damaged(const std::string& what, size_t where) {
        error = "the file is damaged: " + what + " at byte " + std::to_string(where);
        return false;
    }

    // A fingerprint or end record carries the frame count and check sum of what came before.
    bool checkCountAndSum(size_t size) {
        checksum = continueChecksum(checksum, bytes.data() + summed, offset - summed);
        summed = offset;
        if (getNumber(bytes, offset + 1, 4) != recording.frames.size()) {
            return damaged("a frame count does not match", offset);
        }
        if (getNumber(bytes, offset + size - 4, 4) != checksum) {
            return damaged("its check sum fails", offset);
        }
        return true;
    }

    // One record; false on damage. A record cut off by the end of the file ends the reading,
    // the recording incomplete.
    bool next() {
        char tag = bytes[offset];
        size_t size = tag == FRAME_TAG         ? FRAME_RECORD_SIZE
                      : tag == FINGERPRINT_TAG ? FINGERPRINT_RECORD_SIZE
                      : tag == END_TAG         ? END_RECORD_SIZE
                                               : 0;
        if (size == 0) {
            return damaged("an unknown record", offset);
        }
        if (bytes.size() - offset < size) {
            offset = bytes.size();
            return true;
        }
        if (tag == FRAME_TAG) {
            FrameInputs inputs;
            if (!unpackFrame(bytes, offset + 1, inputs)) {
                return damaged("a frame holds unknown keys", offset);
            }
            recording.frames.push_back(inputs);
        } else if (!checkCountAndSum(size)) {
            return false;
        } else if (tag == FINGERPRINT_TAG) {
            recording.fingerprints[(int)recording.frames.size()] = getNumber(bytes, offset + 5, 4);
        } else if (offset + size != bytes.size()) {
            return damaged("bytes follow its end", offset + size);
        } else {
            recording.complete = true;
        }
        offset += size;
        return true;
    }
};

bool parseRecording(const std::string& bytes, Recording& recording, std::string& error) {
    recording = Recording();
    if (!readHeader(bytes, recording, error)) {
        return false;
    }
    RecordReader reader{bytes, recording, error, RECORDING_HEADER_SIZE, 0, 0};
    while (reader.offset < bytes.size()) {
        if (!reader.next()) {
            return false;
        }
    }
    return true;
}

static bool readWhole(int fd, std::string& bytes, std::string& error) {
    struct stat info;
    if (fstat(fd, &info) != 0) {
        error = std::strerror(errno);
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        error = "it is a folder, not a file";
        return false;
    }
    if (S_ISREG(info.st_mode) && info.st_size > LARGEST_RECORDING) {
        error = "the file is too large to be a recording (" + std::to_string(info.st_size) + " bytes)";
        return false;
    }
    char buffer[65536];
    for (;;) {
        ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            error = std::strerror(errno);
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, (size_t)got);
        if (bytes.size() > (size_t)LARGEST_RECORDING) {
            error = "the file is too large to be a recording";
            return false;
        }
    }
}

bool loadRecording(const std::string& path, Recording& recording, std::string& error) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = std::strerror(errno);
        return false;
    }
    std::string bytes;
    bool read = readWhole(fd, bytes, error);
    close(fd);
    return read && parseRecording(bytes, recording, error);
}
