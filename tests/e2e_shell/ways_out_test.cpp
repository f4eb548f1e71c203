// The real program: every way out, and the start-up failures of the sound and of the display.
#include <gtest/gtest.h>

#include <string>

#include "tests/support/contract.h"
#include "tests/support/running_game.h"

// The view window's ways out end its loop, which stops the worker once; the game window's end
// the process at once.
TEST(WaysOut, EachWayOutEndsTheGameWithStatusZero) {
    struct Way {
        const char* name;
        bool inViewWindow;
        bool byKey;
        int quitLines;
    };
    const Way ways[] = {{"close the view window", true, false, 1},
                        {"Escape in the view window", true, true, 1},
                        {"Escape in the game window", false, true, 0},
                        {"close the game window", false, false, 0}};
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        RunningGame run;
        ASSERT_TRUE(run.up()) << run.program.errors();
        unsigned long window = way.inViewWindow ? run.viewWindow : run.gameWindow;
        run.program.leave(window, way.byKey);
        EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
        EXPECT_EQ(occurrences(run.program.output(), QUIT_LINE), way.quitLines) << run.program.output();
        EXPECT_EQ(troubleReport(run.program.errors()), "");
    }
}

TEST(WaysOut, OtherKeysInTheViewWindowAreConsumed) {
    RunningGame run;
    ASSERT_TRUE(run.up()) << run.program.errors();
    run.program.tapKey(run.viewWindow, "x");
    EXPECT_EQ(run.program.waitForExit(1500), -1);
    run.program.tapKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0) << run.program.errors();
}

TEST(SoundStartUp, MissingMusicEndsTheProgramWithStatusOne) {
    DataCopy data({"music.ogg"});
    RunningProgram program(data.path());
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1) << program.errors();
    EXPECT_EQ(occurrences(program.output(), OGG_LOAD_FAILURE), 1) << program.output();
}

TEST(SoundStartUp, MissingEffectIsReportedAndTheGameRuns) {
    RunningGame run({}, {"sound.wav"});
    ASSERT_TRUE(run.up()) << run.program.errors();
    EXPECT_EQ(occurrences(run.program.errors(), WAV_LOAD_FAILURE), 1) << run.program.errors();
    EXPECT_EQ(run.closeViewWindow(), 0) << run.program.errors();
}

TEST(SoundStartUp, AudioDeviceThatCannotOpenEndsWithStatusOne) {
    DataCopy data;
    RunningProgram program(data.path(), {"SDL_AUDIODRIVER=no_such_driver"});
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1) << program.output();
    EXPECT_EQ(occurrences(program.errors(), AUDIO_FAILURE), 1) << program.errors();
}

TEST(VideoStartUp, NoDisplayEndsWithAClearMessageAndStatusOne) {
    DataCopy data;
    RunningProgram program(data.path(), {"DISPLAY=:987"});
    EXPECT_EQ(program.waitForExit(START_TIMEOUT_MS), 1);
    EXPECT_EQ(occurrences(program.errors(), NO_GAME_WINDOW), 1) << program.errors();
}
