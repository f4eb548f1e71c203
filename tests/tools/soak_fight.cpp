// soak_fight: runs the game on a test capture source through a long random fight and watches its memory.
//
// soak_fight PROGRAM DATA_DIR SECONDS [SOURCE [SEED]]
// Starts PROGRAM in DATA_DIR with --capture-source SOURCE, presses random keys of both players in
// the game window for SECONDS, then presses Escape in the webcam view window. Passes (status 0)
// when the game lived through it, ended with status 0 and its two closing lines, printed no
// sanitizer report and no camera loss, and its resident memory at the end is within 5% of the
// value after the first quarter of the run (after one minute for runs longer than four minutes).
// Needs an X display and xdotool.
#include <limits.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/program.h"

static const char* const GAME_WINDOW = "Vantorix";
static const char* const VIEW_WINDOW = "Vantorix webcam";
static const int START_TIMEOUT_S = 180;
static const int EXIT_TIMEOUT_S = 60;
static const double ALLOWED_GROWTH = 0.05;
// Keys of both players and the tower keys; F1 and F2 switch the webcam input off and on, so the
// fight is played by turns from the keyboard and from the camera. Never Escape.
static const char* const KEYS[] = {"a", "d", "w", "s", "z", "x", "c", "Left", "Right", "Up",
                                   "Down", "b", "n", "m", "f", "g", "h"};
static const int KEY_COUNT = sizeof KEYS / sizeof KEYS[0];
static const int KEYS_PER_BATCH = 8;

using Clock = std::chrono::steady_clock;

static std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// In an AddressSanitizer build, freed memory waits in a quarantine of 256 MB by default, which
// fills over minutes and then churns; its growth is the sanitizer's, not the game's. A 16 MB one
// still catches use after free of recent frees and lets the figures settle. A quarantine size the
// caller chose stands; other builds ignore the setting.
static void keepSanitizerQuarantineSmall() {
    const char* given = std::getenv("ASAN_OPTIONS");
    std::string options = given != nullptr ? given : "";
    if (options.find("quarantine_size_mb") == std::string::npos) {
        options += options.empty() ? "quarantine_size_mb=16" : ":quarantine_size_mb=16";
        setenv("ASAN_OPTIONS", options.c_str(), 1);
    }
}

struct Game {
    pid_t pid = -1;
    std::string outPath;
    std::string errPath;
    int status = -1;  // exit status once ended, 128 + signal when killed
    bool ended = false;

    void start(const std::string& program, const std::string& dataDir, const std::string& source) {
        char pattern[] = "/tmp/vantorix-soak-XXXXXX";
        std::string folder = mkdtemp(pattern) ? pattern : "/tmp";
        outPath = folder + "/stdout";
        errPath = folder + "/stderr";
        pid = fork();
        if (pid == 0) {
            if (chdir(dataDir.c_str()) != 0 || !freopen(outPath.c_str(), "w", stdout) ||
                !freopen(errPath.c_str(), "w", stderr)) {
                _exit(127);
            }
            // A soak is played silent unless a sound driver was chosen.
            setenv("SDL_AUDIODRIVER", "dummy", 0);
            keepSanitizerQuarantineSmall();
            execl(program.c_str(), program.c_str(), "--capture-source", source.c_str(),
                  (char*)nullptr);
            _exit(127);
        }
    }

    bool running() {
        if (!ended && waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        }
        return !ended;
    }

    bool waitForExit(int timeoutS) {
        Clock::time_point until = Clock::now() + std::chrono::seconds(timeoutS);
        while (running() && Clock::now() < until) {
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return !running();
    }

    // Resident memory in kB from /proc, or 0 when it cannot be read.
    long residentKb() const {
        std::ifstream status("/proc/" + std::to_string(pid) + "/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.rfind("VmRSS:", 0) == 0) {
                return std::atol(line.c_str() + 6);
            }
        }
        return 0;
    }
};

static std::string findWindow(const char* title) {
    return commandOutput(std::string("xdotool search --name '^") + title + "$' 2>/dev/null | head -n 1");
}

static std::string waitForWindow(Game& game, const char* title) {
    Clock::time_point until = Clock::now() + std::chrono::seconds(START_TIMEOUT_S);
    while (game.running() && Clock::now() < until) {
        std::string id = findWindow(title);
        if (!id.empty()) {
            return id;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return "";
}

// A batch of random keys pressed in the game window; now and then F1 or F2 switches the webcam input.
static void pressRandomKeys(const std::string& window, std::mt19937& random) {
    std::string command = "xdotool windowfocus --sync " + window + " key --delay 30";
    if (random() % 20 == 0) {
        command += random() % 2 == 0 ? " F1" : " F2";
    }
    for (int i = 0; i < KEYS_PER_BATCH; ++i) {
        command += std::string(" ") + KEYS[random() % KEY_COUNT];
    }
    command += " >/dev/null 2>&1";
    if (std::system(command.c_str()) != 0) {
        std::printf("soak: xdotool failed on: %s\n", command.c_str());
    }
}

// The report reasons that make the run fail, one per line.
static std::vector<std::string> checkEnding(Game& game, const std::string& errors,
                                            const std::string& output) {
    std::vector<std::string> faults;
    if (game.status != 0) {
        faults.push_back("the game ended with status " + std::to_string(game.status));
    }
    if (occurrences(output, "Signaling thread to quit\n") != 1 ||
        occurrences(output, "Thread quitting\n") != 1) {
        faults.push_back("the closing lines are not there exactly once each");
    }
    for (const char* report : {"Sanitizer", "runtime error:"}) {
        if (errors.find(report) != std::string::npos) {
            faults.push_back(std::string("a sanitizer report (\"") + report + "\") on standard error");
        }
    }
    if (errors.find("stopped giving pictures") != std::string::npos ||
        errors.find("cannot be connected") != std::string::npos) {
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

    Game game;
    game.start(program, dataDir, source);
    std::string gameWindow = waitForWindow(game, GAME_WINDOW);
    std::string viewWindow = waitForWindow(game, VIEW_WINDOW);
    if (gameWindow.empty() || viewWindow.empty()) {
        std::printf("soak: the game's windows did not appear (%s)\n%s\nverdict: FAIL\n",
                    game.running() ? "still running" : ("status " + std::to_string(game.status)).c_str(),
                    readFile(game.errPath).c_str());
        kill(game.pid, SIGKILL);
        game.waitForExit(EXIT_TIMEOUT_S);
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
        lastKb = kb != 0 ? kb : lastKb;
        if (referenceKb == 0 && elapsed >= referenceS) {
            referenceKb = lastKb;
        }
        if (elapsed >= nextReport) {
            std::printf("soak: %4d s  VmRSS %ld kB\n", elapsed, lastKb);
            std::fflush(stdout);
            nextReport += seconds > 240 ? 60 : 15;
        }
        pressRandomKeys(gameWindow, random);
    }
    bool diedEarly = !game.running();
    if (!diedEarly) {
        lastKb = game.residentKb();
        std::system(("xdotool windowfocus --sync " + viewWindow + " key Escape >/dev/null 2>&1").c_str());
    }
    if (!game.waitForExit(EXIT_TIMEOUT_S)) {
        kill(game.pid, SIGKILL);
        game.waitForExit(EXIT_TIMEOUT_S);
        std::printf("soak: the game did not end within %d s of Escape\n", EXIT_TIMEOUT_S);
    }

    std::string errors = readFile(game.errPath);
    std::string output = readFile(game.outPath);
    std::vector<std::string> faults = checkEnding(game, errors, output);
    if (diedEarly) {
        faults.insert(faults.begin(), "the game ended during the fight");
    }
    double change = referenceKb > 0 ? (double)(lastKb - referenceKb) / referenceKb : 1.0;
    std::printf("soak: VmRSS after %d s: %ld kB; at the end (%d s): %ld kB; change %+.1f%%\n",
                referenceS, referenceKb, seconds, lastKb, change * 100);
    if (referenceKb == 0 || change > ALLOWED_GROWTH || change < -ALLOWED_GROWTH) {
        faults.push_back("resident memory is not within 5% of its value after " +
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
