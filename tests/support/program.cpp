// Test support: the real game program started in its own process, watched and driven from outside.
#include "tests/support/program.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

static std::string readFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

RunningProgram::RunningProgram(const std::string& workingDirectory,
                               const std::vector<std::string>& extraEnvironment,
                               const std::vector<std::string>& arguments)
    : pid(-1), status(0), ended(false) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(VANTORIX_PROGRAM));
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    char pattern[] = "/tmp/vantorix-run-XXXXXX";
    std::string folder = mkdtemp(pattern) ? pattern : "/tmp";
    outPath = folder + "/stdout";
    errPath = folder + "/stderr";
    pid = fork();
    if (pid == 0) {
        if (chdir(workingDirectory.c_str()) != 0) {
            _exit(127);
        }
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& item : extraEnvironment) {
            putenv(const_cast<char*>(item.c_str()));
        }
        execv(VANTORIX_PROGRAM, argv.data());
        _exit(127);
    }
}

RunningProgram::~RunningProgram() {
    if (!ended && pid > 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    // The captured output is read through this object only: its folder goes with it.
    std::remove(outPath.c_str());
    std::remove(errPath.c_str());
    std::string folder = outPath.substr(0, outPath.rfind('/'));
    if (folder != "/tmp") {
        rmdir(folder.c_str());
    }
}

unsigned long RunningProgram::waitForWindow(const std::string& title, int timeoutMs) const {
    std::string command = "xdotool search --name '^" + title + "$' 2>/dev/null | head -n 1";
    for (int waited = 0; waited < timeoutMs; waited += 100) {
        std::string id = commandOutput(command);
        if (!id.empty()) {
            return std::strtoul(id.c_str(), NULL, 10);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return 0;
}

bool RunningProgram::running() { return waitForExit(0) == -1; }

int RunningProgram::waitForExit(int timeoutMs) {
    for (int waited = 0; !ended; waited += 20) {
        pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) {
            ended = true;
            break;
        }
        if (waited >= timeoutMs) {
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string RunningProgram::output() const { return readFile(outPath); }

std::string RunningProgram::errors() const { return readFile(errPath); }

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

std::string closeWindowTool() { return std::string(VANTORIX_TEST_TOOLS_DIR) + "/close_window"; }
