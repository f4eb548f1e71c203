// Recording the fight as it is played, and playing a recorded one back, around each frame.
#include "shell/replay_control.h"

#include <SDL/SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>

#include "game/frame_inputs.h"
#include "replay/recording.h"
#include "rules/fingerprint.h"
#include "shell/game_objects.h"
#include "shell/view_notice.h"
#include "shell/webcam_worker_control.h"

static const Uint32 FLUSH_MILLISECONDS = 1000;

static std::string recordPath;
static RecordingWriter writer;
static bool writerTried = false;
static Uint32 lastFlush = 0;

static std::string replayPath;
static Recording recording;
static size_t played = 0;
static bool takenOver = false;
static bool mismatchSaid = false;
static int lastMatch = 0;

// Drawn or read before the start; a start without it (the probes) draws it there.
static bool seedChosen = false;
static unsigned seed = 0;

// Said once: the fight goes on without the rest of its recording.
static void sayWriteFailure(bool fileMade) {
    const char* kept = fileMade ? "what was written stays replayable" : "nothing is recorded";
    std::fprintf(stderr, "Vantorix: cannot write the recording \"%s\" (%s); the fight goes on and %s\n",
                 recordPath.c_str(), writer.error().c_str(), kept);
    std::fflush(stderr);
}

void finishRecording() {
    bool fileMade = writer.isOpen();
    if (!writer.close()) {
        sayWriteFailure(fileMade);
    }
}

static bool prepareRecording(const std::string& path, std::string& refusal) {
    struct stat info;
    if (lstat(path.c_str(), &info) == 0) {
        refusal = "the file \"" + path + "\" already exists; --record never replaces a file";
        return false;
    }
    recordPath = path;
    return true;
}

static bool prepareReplay(const std::string& path, std::string& refusal) {
    std::string error;
    if (!loadRecording(path, recording, error)) {
        refusal = "cannot replay \"" + path + "\": " + error;
        return false;
    }
    replayPath = path;
    seed = recording.sparkSeed;
    if (!recording.complete) {
        std::fprintf(stderr,
                     "Vantorix: the recording \"%s\" ends early, after frame %zu (the game that "
                     "made it did not close it); it replays up to there\n",
                     path.c_str(), recording.frames.size());
    }
    world.liveInputs = recording.frames.empty();
    takenOver = recording.frames.empty();
    return true;
}

bool prepareRecordOrReplay(const CommandLine& options, std::string* refusal) {
    seed = (unsigned)time(NULL);
    seedChosen = true;
    std::string why;
    bool ready = options.recordFile.empty() || prepareRecording(options.recordFile, why);
    ready = ready && (options.replayFile.empty() || prepareReplay(options.replayFile, why));
    if (!ready && refusal != nullptr) {
        *refusal = why;
    } else if (!ready) {
        std::fprintf(stderr, "Vantorix: %s\n", why.c_str());
    }
    return ready;
}

void endRecordOrReplay() {
    finishRecording();
    recordPath.clear();
    writerTried = false;
    replayPath.clear();
    recording = Recording();
    played = 0;
    takenOver = false;
    mismatchSaid = false;
    lastMatch = 0;
    world.liveInputs = true;
}

unsigned sparkSeed() { return seedChosen ? seed : (unsigned)time(NULL); }

bool replayUnderWay() { return !replayPath.empty() && !takenOver; }

// The file is made at the first frame, once the game has started: a start that fails (no sound
// device, say) leaves no file behind to refuse the next attempt.
static void startWriting() {
    writerTried = true;
    if (!writer.create(recordPath, seed)) {
        sayWriteFailure(writer.isOpen());
    }
    lastFlush = SDL_GetTicks();
}

FrameInputs recordOrReplayFrame(const FrameInputs& live) {
    if (replayUnderWay()) {
        return recording.frames[played++];
    }
    if (recordPath.empty()) {
        return live;
    }
    if (!writerTried) {
        startWriting();
    }
    writer.addFrame(live);
    return live;
}

static void compareFingerprint() {
    auto recorded = recording.fingerprints.find((int)played);
    if (mismatchSaid || recorded == recording.fingerprints.end()) {
        return;
    }
    uint32_t now = recording.version == 1 ? fightFingerprintV1(world.fight) : fightFingerprint(world.fight);
    if (recorded->second == now) {
        lastMatch = (int)played;
        return;
    }
    mismatchSaid = true;
    std::fprintf(stderr,
                 "Vantorix: the replay of \"%s\" no longer shows the recorded fight: it matched "
                 "after frame %d and differs after frame %zu; the recording was probably made with "
                 "other data files or another version of the game; the replay goes on\n",
                 replayPath.c_str(), lastMatch, played);
    std::fflush(stderr);
}

static void takeOverAtTheEnd() {
    if (played < recording.frames.size()) {
        return;
    }
    takenOver = true;
    world.liveInputs = true;
    std::fprintf(stderr, "Vantorix: the recording \"%s\" is over after frame %zu; the players take over\n",
                 replayPath.c_str(), played);
    std::fflush(stderr);
    paintKeyboardNotice();
}

static void writeFingerprintAndFlush(uint32_t fingerprint) {
    if (writer.frameCount() % CHECKPOINT_FRAMES == 0) {
        writer.addFingerprint(fingerprint);
    }
    Uint32 now = SDL_GetTicks();
    if (now - lastFlush >= FLUSH_MILLISECONDS) {
        lastFlush = now;
        if (!writer.flush()) {
            sayWriteFailure(true);
        }
    }
}

void checkFrameAfterUpdate() {
    if (replayUnderWay()) {
        compareFingerprint();
        takeOverAtTheEnd();
    } else if (writer.isOpen()) {
        writeFingerprintAndFlush(fightFingerprint(world.fight));
    }
}

void recordPlayedFrame(const FrameInputs& inputs, uint32_t fingerprintAfter) {
    if (recordPath.empty()) {
        return;
    }
    if (!writerTried) {
        startWriting();
    }
    writer.addFrame(inputs);
    if (writer.isOpen()) {
        writeFingerprintAndFlush(fingerprintAfter);
    }
}
