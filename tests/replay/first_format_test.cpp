// A recording of format 1, made before the fingerprint covered the towers: the rules of today play
// its frames to the fingerprints it holds, under the fingerprint it was made with.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "game/World.h"
#include "game/rollback.h"
#include "replay/recording.h"
#include "rules/fingerprint.h"
#include "tests/support/data_dir.h"

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
    std::unique_ptr<World> world(new World());
    {
        ScopedWorkingDirectory inData(dataDirectory());
        world->moves.loadMoves();
    }
    world->setStartingValues();
    int frames = 0;
    for (const FrameInputs& inputs : recording.frames) {
        advanceFight(*world, inputs);
        frames++;
        auto recorded = recording.fingerprints.find(frames);
        if (recorded != recording.fingerprints.end()) {
            ASSERT_EQ(fightFingerprintV1(world->fight), recorded->second) << "after frame " << frames;
        }
    }
    EXPECT_EQ(world->fight.life1, -170);
    EXPECT_EQ(world->fight.life2, -275);
}

}  // namespace
