// soak_fight: a long random fight on the rules alone, then the game on a test capture source
// through a long random fight, watching its memory.
//
// soak_fight PROGRAM DATA_DIR SECONDS [SOURCE [SEED]]
// First plays SECONDS of frames (60 a second) of random keys on the rules alone, without display
// or GL, checking the rules' bounds after every frame (tests/rules/random_fight.h). Then starts PROGRAM in DATA_DIR with --capture-source SOURCE, presses random keys of both players in
// the game window for SECONDS, then presses Escape in the webcam view window. Passes (status 0)
// when the game lived through it, ended with status 0 and its two closing lines, printed no
// sanitizer report and no camera loss, and its resident memory at the end is within 5% of the
// value after the first quarter of the run (after one minute for runs longer than four minutes).
// The game runs on an X server of its own (Xvfb).
#include <limits.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "tests/rules/random_fight.h"
#include "tests/support/contract.h"
#include "tests/support/program.h"

static const int SOAK_START_TIMEOUT_MS = 180000;
static const int SOAK_EXIT_TIMEOUT_MS = 60000;
static const double ALLOWED_GROWTH = 0.05;
// Keys of both players and the tower keys; F1 and F2 switch the webcam input off and on, so the
// fight is played by turns from the keyboard and from the camera. Never Escape.
static const char* const KEYS[] = {"a", "d", "w", "s", "z", "x", "c", "Left", "Right", "Up",
                                   "Down", "b", "n", "m", "f", "g", "h"};
static const int KEY_COUNT = sizeof KEYS / sizeof KEYS[0];
static const int KEYS_PER_BATCH = 8;

using Clock = std::chrono::steady_clock;

// In an AddressSanitizer build, freed memory waits in a quarantine of 256 MB by default, which
// fills over minutes and then churns; its growth is the sanitizer's, not the game's. A 16 MB one
// still catches use after free of recent frees and lets the figures settle. A quarantine size the
// caller chose stands; other builds ignore the setting.
static std::string sanitizerOptions() {
    const char* given = std::getenv("ASAN_OPTIONS");
    std::string options = given != nullptr ? given : "";
    if (options.find("quarantine_size_mb") == std::string::npos) {
        options += options.empty() ? "quarantine_size_mb=16" : ":quarantine_size_mb=16";
    }
    return "ASAN_OPTIONS=" + options;
}

// A soak is played silent unless a sound driver was chosen.
static std::vector<std::string> soakEnvironment() {
    std::vector<std::string> items = {sanitizerOptions()};
    const char* driver = std::getenv("SDL_AUDIODRIVER");
    if (driver != nullptr) {
        items.push_back(std::string("SDL_AUDIODRIVER=") + driver);
    }
    return items;
}

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// A batch of random keys pressed in the game window; now and then F1 or F2 switches the webcam input.
static void pressRandomKeys(RunningProgram& game, unsigned long window, std::mt19937& random) {
    if (random() % 20 == 0) {
        game.tapKey(window, random() % 2 == 0 ? "F1" : "F2");
        pause(30);
    }
    for (int i = 0; i < KEYS_PER_BATCH; ++i) {
        game.tapKey(window, KEYS[random() % KEY_COUNT]);
        pause(30);
    }
}

// The report reasons that make the run fail, one per line.
static std::vector<std::string> checkEnding(int status, const std::string& errors,
                                            const std::string& output) {
    std::vector<std::string> faults;
    if (status != 0) {
        faults.push_back("the game ended with status " + std::to_string(status));
    }
    if (occurrences(output, QUIT_LINE) != 1 || occurrences(output, THREAD_LINE) != 1) {
        faults.push_back("the closing lines are not there exactly once each");
    }
    if (!troubleReport(errors).empty()) {
        faults.push_back("a sanitizer report or X error on standard error: " + troubleReport(errors));
    }
    if (errors.find(CAMERA_LOST) != std::string::npos ||
        errors.find(CAMERA_UNCONNECTED) != std::string::npos) {
        faults.push_back("the webcam input did not play through the run");
    }
    return faults;
}

int main(int argc, char** argv) {
    if (argc < 4 || std::atoi(argv[3]) <= 0) {
        std::fprintf(stderr, "usage: soak_fight PROGRAM DATA_DIR SECONDS [SOURCE [SEED]]\n");
        return 2;
    }
    // The game starts in DATA_DIR: a relative program path would no longer lead to it.
    char* fullPath = realpath(argv[1], nullptr);
    if (fullPath == nullptr) {
        std::fprintf(stderr, "soak_fight: no program at %s\n", argv[1]);
        return 2;
    }
    std::string program = fullPath;
    std::free(fullPath);
    std::string dataDir = argv[2];
    int seconds = std::atoi(argv[3]);
    std::string source = argc > 4 ? argv[4] : "videotestsrc is-live=true pattern=ball";
    unsigned seed = argc > 5 ? (unsigned)std::strtoul(argv[5], nullptr, 10) : (unsigned)std::time(nullptr);
    int referenceS = seconds > 240 ? 60 : seconds / 4;
    std::printf("soak: %d s of random fight on \"%s\", seed %u\n", seconds, source.c_str(), seed);
    std::fflush(stdout);
    RandomFightReport rules = playRandomFight(seconds * 60, seed);
    std::printf("soak: %d frames on the rules alone: %ld strikes, %ld hits, lives %d and %d\n",
                seconds * 60, rules.strikes, rules.hits, rules.life1, rules.life2);
    std::fflush(stdout);

    RunningProgram game(Launch{{program, "--capture-source", source}, dataDir, soakEnvironment()});
    unsigned long gameWindow = game.waitForWindow(GAME_WINDOW, SOAK_START_TIMEOUT_MS);
    unsigned long viewWindow = game.waitForWindow(VIEW_WINDOW, SOAK_START_TIMEOUT_MS);
    if (gameWindow == 0 || viewWindow == 0) {
        int status = game.waitForExit(0);
        std::printf("soak: the game's windows did not appear (%s)\n%s\nverdict: FAIL\n",
                    status == -1 ? "still running" : ("status " + std::to_string(status)).c_str(),
                    game.errors().c_str());
        return 1;
    }

    std::mt19937 random(seed);
    long referenceKb = 0;
    long lastKb = 0;
    int nextReport = 0;
    Clock::time_point start = Clock::now();
    for (;;) {
        int elapsed = (int)std::chrono::duration_cast<std::chrono::seconds>(Clock::now() - start).count();
        if (elapsed >= seconds || !game.running()) {
            break;
        }
        long kb = game.residentKb();
        lastKb = kb > 0 ? kb : lastKb;
        if (referenceKb == 0 && elapsed >= referenceS) {
            referenceKb = lastKb;
        }
        if (elapsed >= nextReport) {
            std::printf("soak: %4d s  VmRSS %ld kB\n", elapsed, lastKb);
            std::fflush(stdout);
            nextReport += seconds > 240 ? 60 : 15;
        }
        pressRandomKeys(game, gameWindow, random);
    }
    bool diedEarly = !game.running();
    if (!diedEarly) {
        lastKb = game.residentKb();
        game.tapKey(viewWindow, "Escape");
    }
    int status = game.waitForExit(SOAK_EXIT_TIMEOUT_MS);
    if (status == -1) {
        std::printf("soak: the game did not end within %d s of Escape\n", SOAK_EXIT_TIMEOUT_MS / 1000);
    }

    std::string errors = game.errors();
    std::vector<std::string> faults = checkEnding(status, errors, game.output());
    for (const std::string& fault : rules.faults) {
        faults.push_back("on the rules alone, " + fault);
    }
    if (diedEarly) {
        faults.insert(faults.begin(), "the game ended during the fight");
    }
    double change = referenceKb > 0 ? (double)(lastKb - referenceKb) / referenceKb : 1.0;
    std::printf("soak: VmRSS after %d s: %ld kB; at the end (%d s): %ld kB; change %+.1f%%\n",
                referenceS, referenceKb, seconds, lastKb, change * 100);
    // Only growth is a leak: memory handed back (the sanitizers' allocator does so in bursts) is not.
    if (referenceKb == 0 || change > ALLOWED_GROWTH) {
        faults.push_back("resident memory grew by more than 5% from its value after " +
                         std::to_string(referenceS) + " s");
    }
    for (const std::string& fault : faults) {
        std::printf("soak: %s\n", fault.c_str());
    }
    if (!faults.empty()) {
        std::printf("soak: the game's standard error:\n%s\n", errors.c_str());
    }
    std::printf("verdict: %s\n", faults.empty() ? "PASS" : "FAIL");
    return faults.empty() ? 0 : 1;
}
