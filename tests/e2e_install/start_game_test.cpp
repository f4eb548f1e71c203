// The play command's choices: no display, a display that does not answer, no sound device, the screenshot, the options.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/support/running_game.h"

static const std::string START_GAME = std::string(VANTORIX_SOURCE_DIR) + "/dist/start_game.sh";
static const int QUICK_MS = EXIT_TIMEOUT_MS;

// Stands in for the game: notes where it ran, with which options and audio driver, and ends as
// FAKE_END says: "audio" fails to open the sound unless the driver is the dummy one, "always-audio"
// fails to open it whatever the driver, "music" fails on the music, a number ends with that status.
static const char* FAKE_GAME =
    "#!/bin/sh\n"
    "pwd > \"$FAKE_NOTES/cwd\"\n"
    "printf '%s\\n' \"$@\" > \"$FAKE_NOTES/options\"\n"
    "echo \"driver=${SDL_AUDIODRIVER:-}\" >> \"$FAKE_NOTES/runs\"\n"
    "echo \"game says hello\"\n"
    "case \"$FAKE_END\" in\n"
    "  audio) [ \"$SDL_AUDIODRIVER\" = dummy ] && exit 0\n"
    "         echo \"Unable to initialize audio: No available audio device\" >&2; exit 1 ;;\n"
    "  always-audio) echo \"Unable to initialize audio: No available audio device\" >&2; exit 1 ;;\n"
    "  music) echo \"Unable to load Ogg file: Couldn't open 'music.ogg'\"; exit 1 ;;\n"
    "  *) exit \"$FAKE_END\" ;;\n"
    "esac\n";

class StartGame : public ::testing::Test {
protected:
    FreshFolder folder;
    std::string game;
    std::string notes;
    std::string data;
    std::string elsewhere;

    void SetUp() override {
        game = folder.path() + "/game";
        notes = folder.path() + "/notes";
        data = folder.path() + "/data";
        elsewhere = folder.path() + "/elsewhere";
        writeWholeFile(game, FAKE_GAME, true);
        ASSERT_EQ(std::system(("mkdir '" + notes + "' '" + data + "' '" + elsewhere + "'").c_str()), 0);
    }

    // start_game.sh for the fake game, started from a folder of its own on a display of its own,
    // no audio driver chosen.
    RunningProgram* start(const std::vector<std::string>& options, const std::string& end,
                          std::vector<std::string> environment = std::vector<std::string>()) {
        std::vector<std::string> arguments = {START_GAME, "tools/play.sh", game, data};
        arguments.insert(arguments.end(), options.begin(), options.end());
        // The runner chooses the dummy driver; here the test's own items decide.
        environment.insert(environment.begin(), "SDL_AUDIODRIVER=");
        environment.push_back("FAKE_NOTES=" + notes);
        environment.push_back("FAKE_END=" + end);
        return new RunningProgram(Launch{arguments, elsewhere, environment});
    }

    std::vector<std::string> runs() const { return linesOf(readWholeFile(notes + "/runs")); }
};

TEST_F(StartGame, OptionsGoOnToTheGameWhichRunsInItsDataFolder) {
    std::unique_ptr<RunningProgram> run(start({"--camera", "/dev/video7", "two words", "--help=no"}, "0"));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 0) << run->errors();
    EXPECT_EQ(readWholeFile(notes + "/cwd"), data + "\n");
    EXPECT_EQ(readWholeFile(notes + "/options"), "--camera\n/dev/video7\ntwo words\n--help=no\n");
    EXPECT_EQ(run->output(), "game says hello\n");
    EXPECT_EQ(run->errors(), "");
    EXPECT_EQ(runs(), std::vector<std::string>({"driver="}));
}

// The game runs in its data folder; a recording's name means the folder the player started in.
TEST_F(StartGame, RecordingNamesAreTakenFromWhereThePlayerStarted) {
    std::unique_ptr<RunningProgram> run(
        start({"--record", "fight.vxr", "--replay=old/fight.vxr", "--record", "/tmp/a.vxr"}, "0"));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 0) << run->errors();
    EXPECT_EQ(readWholeFile(notes + "/options"), "--record\n" + elsewhere + "/fight.vxr\n--replay=" +
                                                     elsewhere + "/old/fight.vxr\n--record\n/tmp/a.vxr\n");
}

TEST_F(StartGame, TheGamesOwnFailuresAndStatusesPassThroughUntouched) {
    std::unique_ptr<RunningProgram> music(start({}, "music"));
    EXPECT_EQ(music->waitForExit(QUICK_MS), 1);
    EXPECT_EQ(music->output(), "game says hello\nUnable to load Ogg file: Couldn't open 'music.ogg'\n");
    EXPECT_EQ(music->errors(), "");
    EXPECT_EQ(runs().size(), 1u) << "a failure other than the sound device's is not retried";

    std::unique_ptr<RunningProgram> odd(start({}, "3"));
    EXPECT_EQ(odd->waitForExit(QUICK_MS), 3);
}

TEST_F(StartGame, NoDisplaySaysSoInOneLineAndOffersTheScreenshot) {
    std::unique_ptr<RunningProgram> run(start({}, "0", {"DISPLAY="}));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 1);
    std::vector<std::string> lines = linesOf(run->errors());
    ASSERT_EQ(lines.size(), 1u) << run->errors();
    EXPECT_NE(lines[0].find("no display"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("tools/play.sh --screenshot"), std::string::npos) << lines[0];
    EXPECT_EQ(run->output(), "");
    EXPECT_TRUE(runs().empty()) << "the game was started";
}

TEST_F(StartGame, DisplayThatDoesNotAnswerSaysSoInOneLine) {
    if (commandOutput("command -v xdpyinfo").empty()) {
        GTEST_SKIP() << "xdpyinfo (x11-utils) is not installed";
    }
    std::unique_ptr<RunningProgram> run(start({}, "0", {"DISPLAY=:987"}));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 1);
    std::vector<std::string> lines = linesOf(run->errors());
    ASSERT_EQ(lines.size(), 1u) << run->errors();
    EXPECT_NE(lines[0].find("\":987\" does not answer"), std::string::npos) << lines[0];
    EXPECT_NE(lines[0].find("--screenshot"), std::string::npos) << lines[0];
    EXPECT_TRUE(runs().empty());
}

TEST_F(StartGame, NoSoundDeviceRetriesOnceWithTheDummyDriver) {
    std::unique_ptr<RunningProgram> run(start({"--camera", "/dev/video3"}, "audio"));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 0) << run->errors();
    EXPECT_EQ(runs(), std::vector<std::string>({"driver=", "driver=dummy"}));
    EXPECT_EQ(readWholeFile(notes + "/options"), "--camera\n/dev/video3\n");
    EXPECT_EQ(readWholeFile(notes + "/cwd"), data + "\n");
    // The game's own line, then the script's.
    std::vector<std::string> lines = linesOf(run->errors());
    ASSERT_EQ(lines.size(), 2u) << run->errors();
    EXPECT_EQ(lines[0].rfind(AUDIO_FAILURE, 0), 0u);
    EXPECT_NE(lines[1].find("no sound device"), std::string::npos) << lines[1];
}

TEST_F(StartGame, SoundThatFailsEvenWithTheDummyDriverEndsAfterOneRetry) {
    std::unique_ptr<RunningProgram> run(start({}, "always-audio"));
    EXPECT_EQ(run->waitForExit(QUICK_MS), 1);
    EXPECT_EQ(runs().size(), 2u);

    // A player who chose the dummy driver already has nothing to retry.
    std::unique_ptr<RunningProgram> chosen(start({}, "always-audio", {"SDL_AUDIODRIVER=dummy"}));
    EXPECT_EQ(chosen->waitForExit(QUICK_MS), 1);
    EXPECT_EQ(runs().size(), 3u);
}

TEST_F(StartGame, MissingProgramOrDataFolderIsNamed) {
    RunningProgram noProgram(Launch{{START_GAME, "vantorix", folder.path() + "/nothing", data}, elsewhere, {}});
    EXPECT_EQ(noProgram.waitForExit(QUICK_MS), 1);
    EXPECT_NE(noProgram.errors().find("no game program at " + folder.path() + "/nothing"),
              std::string::npos) << noProgram.errors();
    RunningProgram noData(Launch{{START_GAME, "vantorix", game, folder.path() + "/nodata"}, elsewhere, {}});
    EXPECT_EQ(noData.waitForExit(QUICK_MS), 1);
    EXPECT_NE(noData.errors().find("no data folder at " + folder.path() + "/nodata"),
              std::string::npos) << noData.errors();
}

// The real game, whose audio start-up fails with a driver that does not exist.
TEST(StartRealGame, AudioThatCannotOpenStillBringsBothWindowsUpAndEndsCleanly) {
    FreshFolder elsewhere;
    RunningProgram run(Launch{{START_GAME, "vantorix", VANTORIX_PROGRAM, dataDirectory()},
                              elsewhere.path(), {"SDL_AUDIODRIVER=nonexistent"}});
    expectBothWindowsThenCleanEnd(run);
    EXPECT_EQ(occurrences(run.errors(), AUDIO_FAILURE), 1) << run.errors();
    EXPECT_EQ(occurrences(run.errors(), "no sound device could be opened"), 1) << run.errors();
    EXPECT_EQ(occurrences(run.output(), QUIT_LINE), 1) << run.output();
}

TEST(StartRealGame, ScreenshotIsTakenOnAVirtualDisplayWithoutOne) {
    FreshFolder elsewhere;
    RunningProgram run(Launch{{START_GAME, "tools/play.sh", VANTORIX_PROGRAM, dataDirectory(), "--screenshot", "shot.png"},
                              elsewhere.path(), {"DISPLAY="}});
    ASSERT_EQ(run.waitForExit(START_TIMEOUT_MS + QUICK_MS), 0) << run.errors();
    std::string file = elsewhere.path() + "/shot.png";
    EXPECT_EQ(run.output(), "Saved a picture of the game window in " + file + "\n");
    EXPECT_EQ(commandOutput("identify -format '%w %h' '" + file + "'"), "800 600");
    // Life bars, robots and planets: a picture of the fight, not of an empty window.
    double mean = std::atof(commandOutput("convert '" + file + "' -format '%[fx:mean]' info:").c_str());
    EXPECT_GT(mean, 0.02);
}
