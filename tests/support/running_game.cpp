// Test support: the real game in a fresh copy of its data, on its own X server, both windows up.
#include "tests/support/running_game.h"

#include <gtest/gtest.h>

#include "tests/support/contract.h"

RunningGame::RunningGame(const std::vector<std::string>& arguments,
                         const std::vector<std::string>& without, const std::string& screen)
    : data(without), program(Launch{gameCommand(arguments), data.path(), {}, screen}),
      gameWindow(program.waitForWindow(GAME_WINDOW)), viewWindow(program.waitForWindow(VIEW_WINDOW)) {}

int RunningGame::closeViewWindow() {
    program.closeWindow(viewWindow);
    return program.waitForExit(EXIT_TIMEOUT_MS);
}

void expectBothWindowsThenCleanEnd(RunningProgram& run) {
    unsigned long view = run.waitForWindow(VIEW_WINDOW);
    ASSERT_NE(view, 0u) << run.output() << run.errors();
    EXPECT_NE(run.waitForWindow(GAME_WINDOW), 0u);
    run.closeWindow(view);
    EXPECT_EQ(run.waitForExit(EXIT_TIMEOUT_MS), 0) << run.errors();
    EXPECT_EQ(occurrences(run.output(), QUIT_LINE), 1) << run.output();
}
