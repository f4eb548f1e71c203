// The real program on test capture sources: a camera that goes away mid-fight, a missing camera.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/contract.h"
#include "tests/support/running_game.h"
#include "tests/support/screenshot.h"

// A black picture: both hands read as scissors for as long as it plays, so a paper icon on the
// left tower can only come from the keyboard.
static const std::string STEADY = "videotestsrc is-live=true pattern=black";
// About two seconds of the same, then the end of the stream.
static const std::string ENDING = "videotestsrc is-live=true pattern=black num-buffers=60";
static const std::string FAILING = "videotestsrc is-live=true pattern=black ! identity error-after=60";
static const int LOSS_TIMEOUT_MS = 30000;

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The game on a capture source that has already stopped giving pictures.
struct LostCamera : RunningGame {
    explicit LostCamera(const std::string& source) : RunningGame({"--capture-source", source}) {
        EXPECT_TRUE(up()) << program.errors();
        EXPECT_GE(program.waitForErrors(CAMERA_LOST, 1, LOSS_TIMEOUT_MS), 0) << program.errors();
    }
    bool keyboardPlays() { return paperKeyShowsItsIcon(program, gameWindow); }
};

TEST(CameraPlaying, ItsInputStandsInForTheKeys) {
    RunningGame run({"--capture-source", STEADY});
    ASSERT_TRUE(run.up()) << run.program.errors();
    pause(1500);
    EXPECT_FALSE(paperKeyShowsItsIcon(run.program, run.gameWindow)) << "the key got through while the camera played";
    // F1 hands the fight back to the keyboard: the same check now sees the key.
    run.program.tapKey(run.gameWindow, "F1");
    EXPECT_TRUE(paperKeyShowsItsIcon(run.program, run.gameWindow));
    EXPECT_EQ(occurrences(run.program.errors(), CAMERA_LOST), 0) << run.program.errors();
    run.program.tapKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
}

// The source's end and its error are each said once, in full; the game goes on on the keyboard
// and says nothing more about the camera. Both ways out of the view window still stop the loop.
TEST(CameraGone, EndOrErrorIsSaidOnceAndTheKeyboardPlays) {
    const std::string reasons[][2] = {{ENDING, "the source ended"},
                                      {FAILING, "Failed after iterations as requested."}};
    for (const auto& reason : reasons) {
        SCOPED_TRACE(reason[0]);
        LostCamera run(reason[0]);
        bool byKey = reason[0] == FAILING;
        EXPECT_EQ(run.program.errors(), cameraLostLine(reason[0], reason[1]));
        EXPECT_EQ(run.program.output(), THREAD_LINE);
        EXPECT_TRUE(run.keyboardPlays());
        pause(1000);
        EXPECT_TRUE(run.program.running());
        EXPECT_EQ(occurrences(run.program.errors(), CAMERA_LOST), 1) << run.program.errors();
        run.program.leave(run.viewWindow, byKey);
        EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
        EXPECT_EQ(run.program.output(), std::string(THREAD_LINE) + QUIT_LINE);
    }
}

// The game window's ways out end the process at once; the worker has already stopped.
TEST(CameraGone, GameWindowWaysOutAfterTheLoss) {
    for (bool byKey : {true, false}) {
        SCOPED_TRACE(byKey ? "Escape" : "close");
        LostCamera run(ENDING);
        run.program.leave(run.gameWindow, byKey);
        EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
        EXPECT_EQ(run.program.output(), THREAD_LINE);
        EXPECT_EQ(occurrences(run.program.errors(), CAMERA_LOST), 1) << run.program.errors();
    }
}

// Quitting in the very frames where the camera goes: whichever comes first, the worker stops
// once, the camera is said at most once, and the process ends cleanly.
TEST(CameraGone, QuittingAsTheCameraGoesEndsCleanly) {
    for (int delayMs : {0, 1500, 2500}) {
        SCOPED_TRACE(delayMs);
        RunningGame run({"--capture-source", ENDING});
        ASSERT_TRUE(run.up()) << run.program.errors();
        pause(delayMs);
        run.program.tapKey(run.viewWindow, "Escape");
        EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
        EXPECT_EQ(occurrences(run.program.output(), THREAD_LINE), 1) << run.program.output();
        EXPECT_EQ(occurrences(run.program.output(), QUIT_LINE), 1) << run.program.output();
        EXPECT_LE(occurrences(run.program.errors(), CAMERA_LOST), 1) << run.program.errors();
        EXPECT_EQ(troubleReport(run.program.errors()), "");
    }
}

TEST(CameraMissing, OneMessageAndTheKeyboardPlays) {
    RunningGame run({"--camera", "/dev/nonexistent"});
    ASSERT_TRUE(run.up()) << run.program.errors();
    EXPECT_TRUE(paperKeyShowsItsIcon(run.program, run.gameWindow));
    std::string errors = run.program.errors();
    EXPECT_EQ(occurrences(errors, "\n"), 1) << errors;
    EXPECT_EQ(errors.rfind(cameraUnconnectedStart("/dev/nonexistent"), 0), 0u) << errors;
    EXPECT_NE(errors.find(KEYBOARD_PLAYS), std::string::npos) << errors;
    run.program.tapKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
    // No worker ever ran.
    EXPECT_EQ(run.program.output(), QUIT_LINE);
}
