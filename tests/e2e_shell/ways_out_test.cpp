// The real program under Xvfb: every way out, and the start-up failures of the sound.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

static const char* GAME_WINDOW = "Vantorix";
static const char* VIEW_WINDOW = "Vantorix webcam";
static const char* QUIT_LINE = "Signaling thread to quit";
static const int START_TIMEOUT_MS = 60000;
static const int EXIT_TIMEOUT_MS = 20000;

static void startAndWaitForBothWindows(RunningProgram& program) {
    ASSERT_NE(program.waitForWindow(GAME_WINDOW, START_TIMEOUT_MS), 0u) << program.errors();
    ASSERT_NE(program.waitForWindow(VIEW_WINDOW, START_TIMEOUT_MS), 0u) << program.errors();
}

static void pressKeyIn(unsigned long window, const char* key) {
    std::string id = std::to_string(window);
    std::system(("xdotool windowfocus --sync " + id + " key " + key).c_str());
}

TEST(WaysOut, ClosingTheViewWindowEndsTheLoopOnce) {
    DataCopy data;
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    ASSERT_EQ(std::system((closeWindowTool() + " '" + VIEW_WINDOW + "'").c_str()), 0);
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0) << program.errors();
    EXPECT_EQ(occurrences(program.output(), QUIT_LINE), 1) << program.output();
}

TEST(WaysOut, EscapeInTheViewWindowEndsTheLoopOnce) {
    DataCopy data;
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    pressKeyIn(program.waitForWindow(VIEW_WINDOW, 1000), "Escape");
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0) << program.errors();
    EXPECT_EQ(occurrences(program.output(), QUIT_LINE), 1) << program.output();
}

TEST(WaysOut, OtherKeysInTheViewWindowAreConsumed) {
    DataCopy data;
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    pressKeyIn(program.waitForWindow(VIEW_WINDOW, 1000), "x");
    EXPECT_EQ(program.waitForExit(1500), -1);
    pressKeyIn(program.waitForWindow(VIEW_WINDOW, 1000), "Escape");
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0) << program.errors();
}

TEST(WaysOut, EscapeInTheGameWindowExitsAtOnce) {
    DataCopy data;
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    pressKeyIn(program.waitForWindow(GAME_WINDOW, 1000), "Escape");
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0) << program.errors();
    EXPECT_EQ(occurrences(program.output(), QUIT_LINE), 0) << program.output();
}

TEST(WaysOut, ClosingTheGameWindowExitsAtOnce) {
    DataCopy data;
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    ASSERT_EQ(std::system((closeWindowTool() + " '" + GAME_WINDOW + "'").c_str()), 0);
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0) << program.errors();
    EXPECT_EQ(occurrences(program.output(), QUIT_LINE), 0) << program.output();
}

TEST(SoundStartUp, MissingMusicEndsTheProgramWithStatusOne) {
    DataCopy data({"music.ogg"});
    RunningProgram program(data.path());
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1) << program.errors();
    EXPECT_NE(program.output().find("Unable to load Ogg file: "), std::string::npos)
        << program.output();
}

TEST(SoundStartUp, MissingEffectIsReportedAndTheGameRuns) {
    DataCopy data({"sound.wav"});
    RunningProgram program(data.path());
    startAndWaitForBothWindows(program);
    EXPECT_TRUE(program.running());
    EXPECT_EQ(occurrences(program.errors(), "Unable to load WAV file: "), 1) << program.errors();
    ASSERT_EQ(std::system((closeWindowTool() + " '" + VIEW_WINDOW + "'").c_str()), 0);
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0);
}

TEST(SoundStartUp, AudioDeviceThatCannotOpenEndsWithStatusOne) {
    DataCopy data;
    RunningProgram program(data.path(), {"SDL_AUDIODRIVER=no_such_driver"});
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1) << program.output();
    EXPECT_NE(program.errors().find("Unable to initialize audio: "), std::string::npos)
        << program.errors();
}

TEST(VideoStartUp, NoDisplayEndsWithAClearMessageAndStatusOne) {
    DataCopy data;
    RunningProgram program(data.path(), {"DISPLAY=:987"});
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1);
    EXPECT_NE(program.errors().find("cannot open the 800 x 600 OpenGL game window"), std::string::npos)
        << program.errors();
}
