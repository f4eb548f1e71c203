// Floods of key presses and racing ways out against the real game, each on an X server of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/e2e_faults/game_run.h"

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

static const char* const PLAY_FAILURE = "Unable to play WAV file: ";

// The game on its own display, with both windows up and a connection to drive them.
struct RunningGame {
    PrivateDisplay display;
    RunningProgram program;
    unsigned long gameWindow = 0;
    unsigned long viewWindow = 0;

    explicit RunningGame(const DataCopy& data)
        : program(data.path(), {display.environment()}) {
        gameWindow = display.waitForWindow(GAME_WINDOW, START_TIMEOUT_MS);
        viewWindow = display.waitForWindow(VIEW_WINDOW, START_TIMEOUT_MS);
    }
    bool up() const { return display.ready() && gameWindow != 0 && viewWindow != 0; }
};

// Resident memory of a process in kB, or -1.
static long residentKb(long pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kb;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

static void flood(XDriver& driver, unsigned long window, int presses) {
    const int keyCount = sizeof(FLOOD_KEYS) / sizeof(FLOOD_KEYS[0]);
    for (int i = 0; i < presses; i++) {
        driver.tap(window, FLOOD_KEYS[i % keyCount]);
    }
    driver.flush();
}

// Waits for the text to appear in the game's standard error; the milliseconds it took, or -1.
static long waitForError(RunningProgram& program, const std::string& text, int startCount,
                         int timeoutMs) {
    auto start = std::chrono::steady_clock::now();
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        if (occurrences(program.errors(), text) > startCount) {
            return (long)std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start)
                .count();
        }
        pause(10);
    }
    return -1;
}

static void expectCleanEnd(RunningProgram& program) {
    std::string errors = program.errors();
    EXPECT_EQ(sanitizerReport(errors), "");
    EXPECT_EQ(errors.find("X Error"), std::string::npos) << errors;
    EXPECT_EQ(errors.find("XIO"), std::string::npos) << errors;
}

TEST(InputFlood, ThousandsOfPressesBetweenTwoFramesLeaveNoBacklog) {
    DataCopy data({"sound.wav"});  // a punch then says so on standard error
    RunningGame game(data);
    ASSERT_TRUE(game.up()) << game.program.errors();
    XDriver driver(game.display.name());
    long pid = game.display.windowProcess(game.gameWindow);
    ASSERT_GT(pid, 0);

    long memoryAfterFirst = -1;
    for (int round = 0; round < 3; round++) {
        flood(driver, game.gameWindow, FLOOD_PRESSES);
        flood(driver, game.viewWindow, FLOOD_PRESSES / 4);
        pause(500);
        ASSERT_TRUE(game.program.running()) << game.program.errors();
        if (round == 0) {
            memoryAfterFirst = residentKb(pid);
        }
    }
    long memoryAfterLast = residentKb(pid);
#ifndef __SANITIZE_ADDRESS__
    // Nothing of the floods is kept: a few MB of drift, not the tens a stored backlog would take.
    // (AddressSanitizer holds freed memory back on purpose, so its builds cannot tell.)
    EXPECT_LT(memoryAfterLast - memoryAfterFirst, 16 * 1024)
        << memoryAfterFirst << " kB after the first flood, " << memoryAfterLast << " after the last";
#endif

    // Later keys still count at once: both players walk into range and player 1 punches.
    walkTogether(driver, game.gameWindow);
    int failuresBefore = occurrences(game.program.errors(), PLAY_FAILURE);
    driver.tap(game.gameWindow, "x");
    driver.flush();
    long punchMs = waitForError(game.program, PLAY_FAILURE, failuresBefore, 5000);
    EXPECT_GE(punchMs, 0) << "the punch after the floods had no effect\n" << game.program.errors();
    std::printf("punch seen %ld ms after its key, after three floods of %d presses; "
                "resident memory %ld kB after the first flood, %ld kB after the third\n",
                punchMs, FLOOD_PRESSES, memoryAfterFirst, memoryAfterLast);

    driver.tap(game.gameWindow, "Escape");
    driver.flush();
    EXPECT_EQ(game.program.waitForExit(5000), 0) << game.program.errors();
    EXPECT_EQ(occurrences(game.program.output(), "Signaling thread to quit"), 0);
    expectCleanEnd(game.program);
}

TEST(InputFlood, EveryKeyOfBothPlayersHeldAtOnce) {
    DataCopy data;
    RunningGame game(data);
    ASSERT_TRUE(game.up()) << game.program.errors();
    XDriver driver(game.display.name());
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
    driver.tap(game.gameWindow, "Escape");
    driver.flush();
    EXPECT_EQ(game.program.waitForExit(5000), 0) << game.program.errors();
    expectCleanEnd(game.program);
}

// How the two ways out meet: both in one request to the server, in either order, or a
// millisecond or two apart.
struct RaceOrder {
    bool escapeFirst;
    int gapMs;
};

static void raceEscapeAgainstClose(const RaceOrder& order, int& status, std::string& output,
                                   std::string& errors) {
    DataCopy data;
    RunningGame game(data);
    if (!game.up()) {
        status = -2;
        errors = game.program.errors();
        return;
    }
    XDriver driver(game.display.name());
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
        EXPECT_LE(occurrences(outputs[i], "Signaling thread to quit"), 1) << outputs[i];
        EXPECT_EQ(sanitizerReport(errors[i]), "");
        EXPECT_EQ(errors[i].find("X Error"), std::string::npos) << errors[i];
        EXPECT_EQ(errors[i].find("XIO"), std::string::npos) << errors[i];
    }
}
