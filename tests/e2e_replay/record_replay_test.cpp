// The real program: a fight recorded and replayed, a recording game killed, a replay that stops
// matching, and every file --replay refuses.
#include <gtest/gtest.h>

#include <fstream>
#include <memory>
#include <string>

#include "replay/recording.h"
#include "tests/e2e_replay/replay_run.h"
#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"

namespace {

class Recorded : public ::testing::Test {
protected:
    DataCopy data;
    std::string file() const { return data.path() + "/fight.vxr"; }

    // Starts the game with the options in the data copy and waits for its game window.
    unsigned long start(std::unique_ptr<RunningProgram>& program, const std::vector<std::string>& options) {
        program.reset(new RunningProgram(data.path(), {}, options));
        unsigned long window = program->waitForWindow(GAME_WINDOW);
        EXPECT_NE(window, 0u) << program->errors();
        return window;
    }

    Recording load() const {
        Recording recording;
        std::string error;
        EXPECT_TRUE(loadRecording(file(), recording, error)) << error;
        return recording;
    }

    // Replays the file to its end and hands back the life bars the players take over with.
    std::pair<int, int> replayToTheEnd(std::unique_ptr<RunningProgram>& replay) {
        unsigned long window = start(replay, {"--replay", "fight.vxr"});
        EXPECT_GE(replay->waitForErrors(TAKE_OVER, 1, 4 * START_TIMEOUT_MS), 0) << replay->errors();
        std::pair<int, int> bars = lifeBarLengths(*replay, window);
        replay->tapKey(window, "Escape");
        EXPECT_EQ(replay->waitForExit(EXIT_TIMEOUT_MS), 0) << replay->errors();
        EXPECT_EQ(occurrences(replay->errors(), NO_LONGER_MATCHING), 0) << replay->errors();
        return bars;
    }
};

// The rules count in frames and the machine may be slow: each wait is counted in the frames
// the recording holds. Far apart: player 1's special alone (its wind-up is complete after 11
// frames, the special and its wind-down take 42), then a sign duel (about 160 frames); face to
// face: strikes both ways (16 frames each).
void playScriptedFight(RunningProgram& game, unsigned long window, const std::string& file) {
    game.tapKey(window, "x");
    ASSERT_TRUE(waitForRecordedFrames(file, 15));
    game.tapKey(window, "z");
    ASSERT_TRUE(waitForRecordedFrames(file, 50));
    tapKeys(game, window, {"x", "n"}, 0);
    ASSERT_TRUE(waitForRecordedFrames(file, 15));
    game.tapKey(window, "z");
    ASSERT_TRUE(waitForRecordedFrames(file, 20));
    tapKeys(game, window, {"c", "b"}, 0);
    ASSERT_TRUE(waitForRecordedFrames(file, 180));
    // At least one frame between two steps of a player, even at five frames a second.
    for (int step = 0; step < 30; step++) {
        tapKeys(game, window, {"d", "Left"}, 120);
    }
    ASSERT_TRUE(waitForRecordedFrames(file, 2));
    for (const char* strike : {"c", "m", "x"}) {
        game.tapKey(window, strike);
        ASSERT_TRUE(waitForRecordedFrames(file, 20));
    }
}

}  // namespace

TEST_F(Recorded, AScriptedFightReplaysTheSameAtEveryFingerprintAndEndsWithTheSameLives) {
    std::unique_ptr<RunningProgram> game;
    unsigned long window = start(game, {"--record", "fight.vxr"});
    playScriptedFight(*game, window, file());
    std::pair<int, int> played = lifeBarLengths(*game, window);
    game->tapKey(window, "Escape");
    ASSERT_EQ(game->waitForExit(EXIT_TIMEOUT_MS), 0) << game->errors();

    Recording recording = load();
    EXPECT_TRUE(recording.complete);
    EXPECT_GE(recording.fingerprints.size(), 5u);
    // Player 1 lost at least a strike's 5 points of 100, player 2 the special's 20.
    ASSERT_GT(played.first, 0) << "no life bar found";
    EXPECT_LT(played.first, 190);
    EXPECT_LT(played.second, 165);

    std::unique_ptr<RunningProgram> replay;
    EXPECT_EQ(replayToTheEnd(replay), played);
}

// Made before the fingerprint covered the towers (format 1): its fingerprints are checked the
// way they were made, and all still match.
TEST_F(Recorded, ARecordingOfTheFirstFormatReplaysWithoutAMismatch) {
    std::string source = std::string(__FILE__);
    source = source.substr(0, source.rfind("/e2e_replay/")) + "/replay/recordings/version1_fight.vxr";
    std::ifstream in(source, std::ios::binary);
    ASSERT_TRUE(in.good()) << source;
    std::ofstream(file(), std::ios::binary) << in.rdbuf();
    ASSERT_EQ(load().version, 1);
    std::unique_ptr<RunningProgram> replay;
    replayToTheEnd(replay);
}

TEST_F(Recorded, AGameKilledMidFightLeavesWhatItPlayedToReplay) {
    std::unique_ptr<RunningProgram> game;
    unsigned long window = start(game, {"--record", "fight.vxr"});
    game->tapKey(window, "x");
    ASSERT_TRUE(waitForRecordedFrames(file(), 15));
    game->tapKey(window, "z");
    ASSERT_TRUE(waitForRecordedFrames(file(), CHECKPOINT_FRAMES));
    // The runner ends a program it still runs with SIGKILL.
    game.reset();

    Recording recording = load();
    EXPECT_FALSE(recording.complete);
    EXPECT_GE(recording.fingerprints.size(), 1u);
    std::unique_ptr<RunningProgram> replay;
    replayToTheEnd(replay);
    EXPECT_EQ(occurrences(replay->errors(), ENDS_EARLY), 1) << replay->errors();
}

TEST_F(Recorded, ClosingTheViewWindowClosesTheRecordingComplete) {
    std::unique_ptr<RunningProgram> game;
    start(game, {"--record", "fight.vxr"});
    unsigned long view = game->waitForWindow(VIEW_WINDOW);
    ASSERT_NE(view, 0u);
    ASSERT_TRUE(waitForRecordedFrames(file(), 10));
    game->closeWindow(view);
    ASSERT_EQ(game->waitForExit(EXIT_TIMEOUT_MS), 0) << game->errors();
    EXPECT_TRUE(load().complete);
}

// A full disk, as the kernel tells it to a program whose files may not grow past 512 bytes.
TEST_F(Recorded, AFullDiskIsSaidOnceTheFightGoesOnAndWhatWasWrittenReplays) {
    std::vector<std::string> command = {"/bin/sh", "-c",
                                        "trap '' XFSZ; ulimit -f 1; exec \"$0\" --record fight.vxr"};
    command.push_back(gameCommand({})[0]);
    RunningProgram game(Launch{command, data.path(), {}});
    unsigned long window = game.waitForWindow(GAME_WINDOW);
    ASSERT_NE(window, 0u) << game.errors();
    ASSERT_GE(game.waitForErrors(RECORDING_UNWRITABLE, 1, 4 * START_TIMEOUT_MS), 0) << game.errors();
    ASSERT_TRUE(game.running());
    game.tapKey(window, "Escape");
    EXPECT_EQ(game.waitForExit(EXIT_TIMEOUT_MS), 0) << game.errors();
    EXPECT_EQ(occurrences(game.errors(), RECORDING_UNWRITABLE), 1) << game.errors();

    Recording recording = load();
    EXPECT_FALSE(recording.complete);
    EXPECT_GT(recording.frames.size(), 100u);
}

TEST_F(Recorded, AReplayThatStopsMatchingSaysWhereOnceAndGoesOn) {
    RecordingWriter writer;
    ASSERT_TRUE(writer.create(file(), 1));
    for (int frame = 1; frame <= 2 * CHECKPOINT_FRAMES; frame++) {
        writer.addFrame(FrameInputs());
        if (frame % CHECKPOINT_FRAMES == 0) {
            writer.addFingerprint(0);
        }
    }
    writer.close();
    std::unique_ptr<RunningProgram> replay;
    unsigned long window = start(replay, {"--replay", "fight.vxr"});
    ASSERT_GE(replay->waitForErrors(TAKE_OVER, 1, START_TIMEOUT_MS), 0) << replay->errors();
    replay->tapKey(window, "Escape");
    EXPECT_EQ(replay->waitForExit(EXIT_TIMEOUT_MS), 0);
    EXPECT_EQ(occurrences(replay->errors(), NO_LONGER_MATCHING), 1) << replay->errors();
    EXPECT_NE(replay->errors().find("differs after frame 60"), std::string::npos) << replay->errors();
}

// Each of these ends the program with status 2 and one line, before any window opens.
TEST(RefusedFiles, EachIsNamedWithWhatIsWrong) {
    DataCopy data;
    data.writeFile("empty.vxr", "");
    data.writeFile("foreign.vxr", "GIF89a and more");
    data.writeFile("future.vxr", std::string("VTXFIGHT\x07\x00\x01\x02\x03\x04", 14));
    data.writeFile("damaged.vxr", std::string("VTXFIGHT\x01\x00\x01\x02\x03\x04Z", 15));
    data.writeFile("taken.vxr", "a file of mine");
    struct Case {
        std::vector<std::string> options;
        std::string line;
    };
    const Case cases[] = {
        {{"--replay", "missing.vxr"}, replayRefusal("missing.vxr", "No such file or directory")},
        {{"--replay", "empty.vxr"}, replayRefusal("empty.vxr", "the file is empty")},
        {{"--replay", "foreign.vxr"}, replayRefusal("foreign.vxr", "the file is not a Vantorix recording")},
        {{"--replay", "future.vxr"},
         replayRefusal("future.vxr", "the recording has format version 7, which this game does not "
                                     "know (it reads versions 1 to 2): it was made by another "
                                     "version of the game")},
        {{"--replay", "damaged.vxr"},
         replayRefusal("damaged.vxr", "the file is damaged: an unknown record at byte 14")},
        {{"--replay", "."}, replayRefusal(".", "it is a folder, not a file")},
        {{"--record", "taken.vxr"}, recordingExists("taken.vxr")},
    };
    for (const Case& refused : cases) {
        RunningProgram program(data.path(), {}, refused.options);
        EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 2) << refused.line;
        EXPECT_EQ(program.errors(), refused.line);
    }
    RunningProgram both(data.path(), {}, {"--record", "a.vxr", "--replay", "empty.vxr"});
    EXPECT_EQ(both.waitForExit(EXIT_TIMEOUT_MS), 2);
    EXPECT_EQ(both.errors().find("Vantorix: options --record and --replay cannot be used together\n"), 0u);
}
