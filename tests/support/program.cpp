// Test support: a program (the real game, or a script that starts it) in its own process, on an X server of its own.
#include "tests/support/program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <thread>

extern char** environ;

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// This process's environment with the items laid over it in order (a later item of the same
// name wins); built before fork, since the child of a threaded test may only exec.
static std::vector<std::string> environmentWith(const std::vector<std::string>& items) {
    std::vector<std::string> result;
    for (char** entry = environ; *entry != nullptr; entry++) {
        result.push_back(*entry);
    }
    for (const std::string& item : items) {
        std::string name = item.substr(0, item.find('=') + 1);
        size_t at = 0;
        while (at < result.size() && result[at].compare(0, name.size(), name) != 0) {
            at++;
        }
        if (at < result.size()) {
            result[at] = item;
        } else {
            result.push_back(item);
        }
    }
    return result;
}

static std::vector<char*> pointersTo(std::vector<std::string>& texts) {
    std::vector<char*> pointers;
    for (std::string& text : texts) {
        pointers.push_back(&text[0]);
    }
    pointers.push_back(nullptr);
    return pointers;
}

std::vector<std::string> gameCommand(const std::vector<std::string>& arguments) {
    std::vector<std::string> line = {VANTORIX_PROGRAM};
    line.insert(line.end(), arguments.begin(), arguments.end());
    return line;
}

RunningProgram::RunningProgram(const Launch& launch)
    : server(launch.screen), driver(server.name()), pid(-1), status(0), ended(false) {
    start(launch);
}

RunningProgram::RunningProgram(const std::string& workingDirectory,
                               const std::vector<std::string>& environment,
                               const std::vector<std::string>& arguments)
    : driver(server.name()), pid(-1), status(0), ended(false) {
    start(Launch{gameCommand(arguments), workingDirectory, environment});
}

void RunningProgram::start(const Launch& launch) {
    std::string outPath = folder.path() + "/stdout";
    std::string errPath = folder.path() + "/stderr";
    // The player's settings and recordings of the machine never reach a test: its own folders
    // stand in for them, unless the test names others.
    std::vector<std::string> items = {server.environment(), "SDL_AUDIODRIVER=dummy",
                                      "XDG_CONFIG_HOME=" + folder.path() + "/config",
                                      "XDG_DATA_HOME=" + folder.path() + "/data"};
    items.insert(items.end(), launch.environment.begin(), launch.environment.end());
    std::vector<std::string> environment = environmentWith(items);
    std::vector<std::string> arguments = launch.commandLine;
    std::vector<char*> argv = pointersTo(arguments);
    std::vector<char*> envp = pointersTo(environment);
    pid = fork();
    if (pid == 0) {
        // A process group of its own, so that whatever it starts is stopped with it.
        setpgid(0, 0);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int nothing = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || nothing < 0 || chdir(launch.workingDirectory.c_str()) != 0) {
            _exit(127);
        }
        dup2(nothing, 0);
        dup2(out, 1);
        dup2(err, 2);
        execve(argv[0], argv.data(), envp.data());
        _exit(127);
    }
}

RunningProgram::~RunningProgram() {
    if (!ended && pid > 0) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

unsigned long RunningProgram::waitForWindow(const std::string& title, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        unsigned long window = server.findWindow(title);
        if (window != 0 || !running()) {
            return window;
        }
        pause(50);
    }
    return 0;
}

bool RunningProgram::running() { return waitForExit(0) == -1; }

int RunningProgram::waitForExit(int timeoutMs) {
    for (int waited = 0; !ended; waited += 20) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
            ended = true;
            break;
        }
        if (waited >= timeoutMs) {
            return -1;
        }
        pause(20);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

long RunningProgram::waitForErrors(const std::string& text, int count, int timeoutMs) const {
    auto start = std::chrono::steady_clock::now();
    for (int waited = 0; waited <= timeoutMs; waited += 10) {
        if (occurrences(errors(), text) >= count) {
            return (long)std::chrono::duration_cast<std::chrono::milliseconds>(
                       std::chrono::steady_clock::now() - start)
                .count();
        }
        pause(10);
    }
    return -1;
}

void RunningProgram::tapKey(unsigned long window, const std::string& keyName) {
    driver.tap(window, keyName);
    driver.flush();
}

void RunningProgram::closeWindow(unsigned long window) {
    driver.requestClose(window);
    driver.flush();
}

void RunningProgram::leave(unsigned long window, bool byEscape) {
    if (byEscape) {
        tapKey(window, "Escape");
    } else {
        closeWindow(window);
    }
}

std::string RunningProgram::output() const { return readWholeFile(folder.path() + "/stdout"); }

std::string RunningProgram::errors() const { return readWholeFile(folder.path() + "/stderr"); }

long RunningProgram::residentKb() const {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            long kb = -1;
            status >> kb;
            return kb;
        }
    }
    return -1;
}

std::string commandOutput(const std::string& command) {
    std::string result;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == NULL) {
        return result;
    }
    char buffer[256];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        result.append(buffer, got);
    }
    pclose(pipe);
    while (!result.empty() && (result.back() == '\n' || result.back() == ' ')) {
        result.pop_back();
    }
    return result;
}

int occurrences(const std::string& text, const std::string& needle) {
    int count = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + needle.size())) {
        count++;
    }
    return count;
}

std::string troubleReport(const std::string& errors) {
    static const char* const markers[] = {"ERROR: AddressSanitizer", "runtime error:", "LeakSanitizer",
                                          "ThreadSanitizer", "X Error", "XIO"};
    for (const char* marker : markers) {
        size_t at = errors.find(marker);
        if (at != std::string::npos) {
            size_t lineStart = errors.rfind('\n', at);
            lineStart = lineStart == std::string::npos ? 0 : lineStart + 1;
            return errors.substr(lineStart, errors.find('\n', at) - lineStart);
        }
    }
    return std::string();
}
