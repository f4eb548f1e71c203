// A recording of format 1, made before the fingerprint covered the towers: the rules of today play
// its frames to the fingerprints it holds, under the fingerprint it was made with.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "replay/recording.h"
#include "rules/fingerprint.h"
#include "rules/step.h"

namespace {

std::string fixture() {
    std::string here = __FILE__;
    return here.substr(0, here.rfind('/')) + "/recordings/version1_fight.vxr";
}

TEST(FirstFormat, EveryFingerprintMatchesAndTheLivesEndAsRecorded) {
    Recording recording;
    std::string error;
    ASSERT_TRUE(loadRecording(fixture(), recording, error)) << error;
    ASSERT_EQ(recording.version, 1);
    ASSERT_EQ(recording.fingerprints.size(), 22u);
    std::unique_ptr<Fight> fight(new Fight(startingFight()));
    int frames = 0;
    for (const FrameInputs& inputs : recording.frames) {
        stepFight(*fight, inputs);
        frames++;
        auto recorded = recording.fingerprints.find(frames);
        if (recorded != recording.fingerprints.end()) {
            ASSERT_EQ(fightFingerprintV1(*fight), recorded->second) << "after frame " << frames;
        }
    }
    EXPECT_EQ(fight->life1, -170);
    EXPECT_EQ(fight->life2, -275);
}

}  // namespace
