// Test support: a started game, by whatever command, that must open both its windows and end with status 0 when its view window is closed.
#include "tests/e2e_install/both_windows.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "tests/support/program.h"

static const int START_TIMEOUT_MS = 60000;
static const int EXIT_TIMEOUT_MS = 20000;

void expectBothWindowsThenCleanEnd(CommandRun& run) {
    std::string window;
    for (int waited = 0; waited < START_TIMEOUT_MS && window.empty(); waited += 200) {
        window = commandOutput("xdotool search --name '^Vantorix webcam$' 2>/dev/null | head -n 1");
        if (window.empty()) {
            ASSERT_EQ(run.waitForExit(200), -1) << run.output() << run.errors();
        }
    }
    ASSERT_FALSE(window.empty()) << run.errors();
    EXPECT_FALSE(commandOutput("xdotool search --name '^Vantorix$' 2>/dev/null").empty());
    ASSERT_EQ(std::system((closeWindowTool() + " 'Vantorix webcam'").c_str()), 0);
    EXPECT_EQ(run.waitForExit(EXIT_TIMEOUT_MS), 0) << run.errors();
    EXPECT_EQ(occurrences(run.output(), "Signaling thread to quit"), 1) << run.output();
}
