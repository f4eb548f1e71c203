// The real program's command line: help, and bad lines refused with status 2 before any window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/contract.h"
#include "tests/support/program.h"

TEST(ProgramOptions, BadLinesExitWithStatusTwoAndTheUsage) {
    const std::vector<std::vector<std::string>> lines = {
        {"--bogus"},
        {"--camera"},
        {"--capture-source"},
        {"--camera", "/dev/video1", "--capture-source", "videotestsrc"},
        {"stray"},
        {"--hands", "bright"},
    };
    const std::vector<std::string> firstLines = {
        "Vantorix: unknown option --bogus\n",
        "Vantorix: option --camera needs a value\n",
        "Vantorix: option --capture-source needs a value\n",
        "Vantorix: options --camera and --capture-source cannot be used together\n",
        "Vantorix: unexpected argument \"stray\"\n",
        "Vantorix: option --hands takes design or room, not \"bright\"\n",
    };
    for (size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i][0]);
        RunningProgram program("/tmp", {}, lines[i]);
        EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 2);
        std::string errors = program.errors();
        EXPECT_EQ(errors.rfind(firstLines[i] + USAGE_START, 0), 0u) << errors;
        EXPECT_EQ(program.output(), "");
    }
}

TEST(ProgramOptions, HelpPrintsTheUsageAndExits) {
    RunningProgram program("/tmp", {}, {"--help"});
    EXPECT_EQ(program.waitForExit(EXIT_TIMEOUT_MS), 0);
    EXPECT_EQ(program.output().rfind(USAGE_START, 0), 0u) << program.output();
    EXPECT_NE(program.output().find("--capture-source PIPELINE"), std::string::npos);
    EXPECT_NE(program.output().find("--hands design|room"), std::string::npos);
    EXPECT_EQ(program.errors(), "");
}
