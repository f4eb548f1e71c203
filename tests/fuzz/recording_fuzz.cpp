// Fuzz target: any bytes read as a recorded fight, from memory and from a file, then checked.
#include <cstdint>
#include <string>

#include "game/codes.h"
#include "replay/recording.h"
#include "tests/fuzz/fuzz_support.h"

static bool sameRecording(const Recording& a, const Recording& b) {
    return a.sparkSeed == b.sparkSeed && a.frames == b.frames && a.fingerprints == b.fingerprints &&
           a.complete == b.complete;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string file = fuzz::scratchFile("fight.vxr");
    std::string bytes((const char*)data, size);
    Recording recording;
    std::string error;
    bool accepted = parseRecording(bytes, recording, error);
    if (accepted != error.empty()) {
        fuzz::fail("a recording accepted with an error, or refused without one: " + error);
    }
    // The replay hands these values to the rules as they are: each must be one the keys can give.
    for (const FrameInputs& inputs : recording.frames) {
        for (int flag : {inputs.left1, inputs.right1, inputs.left2, inputs.right2}) {
            if (flag != 0 && flag != 1) {
                fuzz::fail("a walking input other than 0 or 1");
            }
        }
        if (inputs.sign1 < NO_SIGN || inputs.sign1 > SCISSORS || inputs.sign2 < NO_SIGN ||
            inputs.sign2 > SCISSORS || inputs.towerKeys < 0 || inputs.towerKeys > 7) {
            fuzz::fail("a sign or tower key outside the game's");
        }
    }
    for (const auto& fingerprint : recording.fingerprints) {
        if (fingerprint.first < 0 || (size_t)fingerprint.first > recording.frames.size()) {
            fuzz::fail("a fingerprint after a frame the recording does not hold");
        }
    }

    fuzz::writeInput(file, data, size);
    Recording fromFile;
    std::string fileError;
    bool loaded = loadRecording(file, fromFile, fileError);
    if (loaded != accepted || fileError != error || !sameRecording(recording, fromFile)) {
        fuzz::fail("the file reads otherwise than its bytes: " + fileError + " / " + error);
    }
    return 0;
}
