// The real program on test capture sources: a camera that goes away mid-fight, a missing camera.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/e2e_camera/camera_run.h"

// A black picture: both hands read as scissors for as long as it plays, so a paper icon on the
// left tower can only come from the keyboard.
static const std::string STEADY = "videotestsrc is-live=true pattern=black";
// About two seconds of the same, then the end of the stream.
static const std::string ENDING = "videotestsrc is-live=true pattern=black num-buffers=60";
static const std::string FAILING = "videotestsrc is-live=true pattern=black ! identity error-after=60";
static const char* const LOST = "stopped giving pictures";
static const int LOSS_TIMEOUT_MS = 30000;

static std::string lostLine(const std::string& source, const std::string& reason) {
    return "Vantorix: capture source \"" + source + "\" stopped giving pictures (" + reason +
           "); play continues on the keyboard\n";
}

TEST(CameraPlaying, ItsInputStandsInForTheKeys) {
    CameraRun run;
    ASSERT_TRUE(run.start({"--capture-source", STEADY}));
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    EXPECT_FALSE(run.paperKeyShowsItsIcon()) << "the key got through while the camera played";
    // F1 hands the fight back to the keyboard: the same check now sees the key.
    run.pressKey(run.gameWindow, "F1");
    EXPECT_TRUE(run.paperKeyShowsItsIcon());
    EXPECT_EQ(run.program->errors().find(LOST), std::string::npos) << run.program->errors();
    run.pressKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
}

TEST(CameraGone, EndOfStreamIsSaidOnceAndTheKeyboardPlays) {
    CameraRun run;
    ASSERT_TRUE(run.start({"--capture-source", ENDING}));
    ASSERT_TRUE(run.waitForError(LOST, LOSS_TIMEOUT_MS)) << run.program->errors();
    EXPECT_EQ(run.program->errors(), lostLine(ENDING, "the source ended"));
    EXPECT_EQ(run.program->output(), THREAD_LINE);
    EXPECT_TRUE(run.paperKeyShowsItsIcon());
    // The game goes on, and says nothing more about the camera.
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    EXPECT_TRUE(run.program->running());
    EXPECT_EQ(occurrences(run.program->errors(), LOST), 1) << run.program->errors();

    ASSERT_EQ(std::system((closeWindowTool() + " '" + VIEW_WINDOW + "'").c_str()), 0);
    EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
    EXPECT_EQ(run.program->output(), std::string(THREAD_LINE) + QUIT_LINE);
}

TEST(CameraGone, SourceErrorIsSaidOnceAndTheKeyboardPlays) {
    CameraRun run;
    ASSERT_TRUE(run.start({"--capture-source", FAILING}));
    ASSERT_TRUE(run.waitForError(LOST, LOSS_TIMEOUT_MS)) << run.program->errors();
    EXPECT_EQ(run.program->errors(), lostLine(FAILING, "Failed after iterations as requested."));
    EXPECT_TRUE(run.paperKeyShowsItsIcon());
    run.pressKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
    EXPECT_EQ(run.program->output(), std::string(THREAD_LINE) + QUIT_LINE);
    EXPECT_EQ(occurrences(run.program->errors(), LOST), 1) << run.program->errors();
}

// The game window's ways out end the process at once; the worker has already stopped.
TEST(CameraGone, GameWindowWaysOutAfterTheLoss) {
    for (const char* way : {"Escape", "close"}) {
        SCOPED_TRACE(way);
        CameraRun run;
        ASSERT_TRUE(run.start({"--capture-source", ENDING}));
        ASSERT_TRUE(run.waitForError(LOST, LOSS_TIMEOUT_MS)) << run.program->errors();
        if (std::string(way) == "Escape") {
            run.pressKey(run.gameWindow, "Escape");
        } else {
            ASSERT_EQ(std::system((closeWindowTool() + " '" + GAME_WINDOW + "'").c_str()), 0);
        }
        EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
        EXPECT_EQ(run.program->output(), THREAD_LINE);
        EXPECT_EQ(occurrences(run.program->errors(), LOST), 1) << run.program->errors();
    }
}

// Quitting in the very frames where the camera goes: whichever comes first, the worker stops
// once, the camera is said at most once, and the process ends cleanly.
TEST(CameraGone, QuittingAsTheCameraGoesEndsCleanly) {
    for (int delayMs : {0, 1500, 2500}) {
        SCOPED_TRACE(delayMs);
        CameraRun run;
        ASSERT_TRUE(run.start({"--capture-source", ENDING}));
        std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
        run.pressKey(run.viewWindow, "Escape");
        EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
        EXPECT_EQ(occurrences(run.program->output(), THREAD_LINE), 1) << run.program->output();
        EXPECT_EQ(occurrences(run.program->output(), QUIT_LINE), 1) << run.program->output();
        EXPECT_LE(occurrences(run.program->errors(), LOST), 1) << run.program->errors();
    }
}

TEST(CameraMissing, OneMessageAndTheKeyboardPlays) {
    CameraRun run;
    ASSERT_TRUE(run.start({"--camera", "/dev/nonexistent"}));
    EXPECT_TRUE(run.paperKeyShowsItsIcon());
    std::string errors = run.program->errors();
    EXPECT_EQ(occurrences(errors, "\n"), 1) << errors;
    EXPECT_EQ(errors.rfind("Vantorix: camera /dev/nonexistent cannot be connected (", 0), 0u) << errors;
    EXPECT_NE(errors.find("); play continues on the keyboard\n"), std::string::npos) << errors;
    run.pressKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program->waitForExit(EXIT_TIMEOUT_MS), 0) << run.program->errors();
    // No worker ever ran.
    EXPECT_EQ(run.program->output(), QUIT_LINE);
}
