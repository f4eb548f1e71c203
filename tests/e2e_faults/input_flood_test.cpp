// Floods of key presses and racing ways out against the real game, each on an X server of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e_faults/short_fight.h"
#include "tests/support/contract.h"
#include "tests/support/running_game.h"

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Keys the fight reads but that change nothing in it (up and down) and keys it ignores: the
// flood must not move the robots, so that a later walk and punch land where expected.
static const char* const FLOOD_KEYS[] = {"w", "s", "Up", "Down", "q", "e", "r", "t", "y", "u",
                                         "space", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
// Twenty thousand presses and as many releases: were they read 128 a frame, as many as SDL
// queues, they would keep the game busy for over five seconds at sixty frames a second.
static const int FLOOD_PRESSES = 20000;

static const char* const PLAYER_KEYS[] = {"a", "d", "w", "s", "z", "x", "c",
                                          "Left", "Right", "Up", "Down", "b", "n", "m"};

static void flood(XDriver& driver, unsigned long window, int presses) {
    const int keyCount = sizeof(FLOOD_KEYS) / sizeof(FLOOD_KEYS[0]);
    for (int i = 0; i < presses; i++) {
        driver.tap(window, FLOOD_KEYS[i % keyCount]);
    }
    driver.flush();
}

TEST(InputFlood, ThousandsOfPressesBetweenTwoFramesLeaveNoBacklog) {
    RunningGame game({}, {"sound.wav"});  // a punch then says so on standard error
    ASSERT_TRUE(game.up()) << game.program.errors();
    XDriver& driver = game.program.keys();

    long memoryAfterFirst = -1;
    for (int round = 0; round < 3; round++) {
        flood(driver, game.gameWindow, FLOOD_PRESSES);
        flood(driver, game.viewWindow, FLOOD_PRESSES / 4);
        pause(500);
        ASSERT_TRUE(game.program.running()) << game.program.errors();
        if (round == 0) {
            memoryAfterFirst = game.program.residentKb();
        }
    }
    long memoryAfterLast = game.program.residentKb();
#ifndef __SANITIZE_ADDRESS__
    // Nothing of the floods is kept: a few MB of drift, not the tens a stored backlog would take.
    // (AddressSanitizer holds freed memory back on purpose, so its builds cannot tell.)
    EXPECT_LT(memoryAfterLast - memoryAfterFirst, 16 * 1024)
        << memoryAfterFirst << " kB after the first flood, " << memoryAfterLast << " after the last";
#endif

    // Later keys still count at once: both players walk into range and player 1 punches.
    walkTogether(driver, game.gameWindow);
    int failuresBefore = occurrences(game.program.errors(), WAV_PLAY_FAILURE);
    game.program.tapKey(game.gameWindow, "x");
    long punchMs = game.program.waitForErrors(WAV_PLAY_FAILURE, failuresBefore + 1, 5000);
    EXPECT_GE(punchMs, 0) << "the punch after the floods had no effect\n" << game.program.errors();
    std::printf("punch seen %ld ms after its key, after three floods of %d presses; "
                "resident memory %ld kB after the first flood, %ld kB after the third\n",
                punchMs, FLOOD_PRESSES, memoryAfterFirst, memoryAfterLast);

    game.program.tapKey(game.gameWindow, "Escape");
    EXPECT_EQ(game.program.waitForExit(5000), 0) << game.program.errors();
    EXPECT_EQ(occurrences(game.program.output(), QUIT_LINE), 0);
    EXPECT_EQ(troubleReport(game.program.errors()), "");
}

TEST(InputFlood, EveryKeyOfBothPlayersHeldAtOnce) {
    RunningGame game;
    ASSERT_TRUE(game.up()) << game.program.errors();
    XDriver& driver = game.program.keys();
    for (const char* key : PLAYER_KEYS) {
        driver.press(game.gameWindow, key);
    }
    driver.flush();
    pause(1500);
    EXPECT_TRUE(game.program.running()) << game.program.errors();
    for (const char* key : PLAYER_KEYS) {
        driver.release(game.gameWindow, key);
    }
    driver.flush();
    pause(300);
    EXPECT_TRUE(game.program.running()) << game.program.errors();
    game.program.tapKey(game.gameWindow, "Escape");
    EXPECT_EQ(game.program.waitForExit(5000), 0) << game.program.errors();
    EXPECT_EQ(troubleReport(game.program.errors()), "");
}

// How the two ways out meet: both in one request to the server, in either order, or a
// millisecond or two apart.
struct RaceOrder {
    bool escapeFirst;
    int gapMs;
};

static void raceEscapeAgainstClose(const RaceOrder& order, int& status, std::string& output,
                                   std::string& errors) {
    RunningGame game;
    if (!game.up()) {
        status = -2;
        errors = game.program.errors();
        return;
    }
    XDriver& driver = game.program.keys();
    pause(300);
    if (order.escapeFirst) {
        driver.tap(game.gameWindow, "Escape");
    } else {
        driver.requestClose(game.viewWindow);
    }
    if (order.gapMs > 0) {
        driver.flush();
        pause(order.gapMs);
    }
    if (order.escapeFirst) {
        driver.requestClose(game.viewWindow);
    } else {
        driver.tap(game.gameWindow, "Escape");
    }
    driver.flush();
    status = game.program.waitForExit(EXIT_TIMEOUT_MS);
    output = game.program.output();
    errors = game.program.errors();
}

TEST(InputFlood, EscapeInTheGameWindowWhileTheViewWindowCloses) {
    const std::vector<RaceOrder> orders = {{false, 0}, {true, 0}, {false, 1}, {true, 1},
                                           {false, 2}, {true, 2}};
    std::vector<int> statuses(orders.size());
    std::vector<std::string> outputs(orders.size()), errors(orders.size());
    std::vector<std::thread> runs;
    for (size_t i = 0; i < orders.size(); i++) {
        runs.emplace_back([&, i]() { raceEscapeAgainstClose(orders[i], statuses[i], outputs[i], errors[i]); });
    }
    for (std::thread& run : runs) {
        run.join();
    }
    for (size_t i = 0; i < orders.size(); i++) {
        SCOPED_TRACE(std::string(orders[i].escapeFirst ? "Escape first" : "close first") + ", " +
                     std::to_string(orders[i].gapMs) + " ms apart");
        EXPECT_EQ(statuses[i], 0) << errors[i];
        EXPECT_LE(occurrences(outputs[i], QUIT_LINE), 1) << outputs[i];
        EXPECT_EQ(troubleReport(errors[i]), "");
    }
}
