// Writing a fight to its recording as it is played.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "replay/recording.h"
#include "replay/recording_format.h"

RecordingWriter::RecordingWriter() : fd(-1), frames(0), failed(false), checksum(0) {}

RecordingWriter::~RecordingWriter() { close(); }

bool RecordingWriter::create(const std::string& path, uint32_t sparkSeed) {
    fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) {
        problem = std::strerror(errno);
        return false;
    }
    std::string header(RECORDING_MAGIC, sizeof RECORDING_MAGIC);
    putNumber(header, RECORDING_VERSION, 2);
    putNumber(header, sparkSeed, 4);
    put(header);
    // The header reaches the file at once: a game that dies in its first second leaves a file
    // that says what it is rather than an empty one.
    return flush();
}

void RecordingWriter::put(const std::string& bytes) {
    checksum = continueChecksum(checksum, bytes.data(), bytes.size());
    if (!failed) {
        pending += bytes;
    }
}

void RecordingWriter::addFrame(const FrameInputs& inputs) {
    std::string record;
    packFrame(record, inputs);
    put(record);
    frames++;
}

void RecordingWriter::addFingerprint(uint32_t fingerprint) {
    std::string record(1, FINGERPRINT_TAG);
    putNumber(record, (uint32_t)frames, 4);
    putNumber(record, fingerprint, 4);
    putNumber(record, checksum, 4);
    put(record);
}

bool RecordingWriter::flush() {
    if (fd < 0 || failed) {
        return true;
    }
    size_t done = 0;
    while (done < pending.size()) {
        ssize_t written = ::write(fd, pending.data() + done, pending.size() - done);
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            // What was written is a run of whole records, maybe with a part of one at its end:
            // a reader takes it as a fight cut short. Nothing more is added after the gap.
            problem = written < 0 ? std::strerror(errno) : "nothing could be written";
            failed = true;
            pending.clear();
            return false;
        }
        done += (size_t)written;
    }
    pending.clear();
    return true;
}

bool RecordingWriter::close() {
    if (fd < 0) {
        return true;
    }
    std::string record(1, END_TAG);
    putNumber(record, (uint32_t)frames, 4);
    putNumber(record, checksum, 4);
    put(record);
    bool written = flush();
    if (!failed) {
        fsync(fd);
    }
    ::close(fd);
    fd = -1;
    return written;
}
