// Two minutes of random fight on the real program with the webcam worker on a test source.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"

// Keys of both players at random, the webcam switched by F1 and F2 now and then; the game must
// live through it, end cleanly, and keep its resident memory flat (see tests/tools/soak_fight.cpp).
TEST(Soak, TwoMinutesOfRandomFight) {
    std::string command = std::string(VANTORIX_TEST_TOOLS_DIR) + "/soak_fight '" + VANTORIX_PROGRAM +
                          "' '" + dataDirectory() + "' 120 'videotestsrc is-live=true pattern=ball' 2>&1";
    std::string report = commandOutput(command);
    std::printf("%s\n", report.c_str());
    EXPECT_NE(report.find("verdict: PASS"), std::string::npos) << report;
}
