// Test support: any command (a script, the installed launcher) started in its own process and watched from outside.
#include "tests/e2e_install/command_run.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

static std::string makeFolder() {
    char pattern[] = "/tmp/vantorix-install-test-XXXXXX";
    return mkdtemp(pattern) ? std::string(pattern) : std::string();
}

CommandRun::CommandRun(const std::vector<std::string>& arguments,
                       const std::string& workingDirectory,
                       const std::vector<std::string>& environment)
    : pid(-1), status(0), ended(false), folder(makeFolder()) {
    std::string outPath = folder + "/stdout";
    std::string errPath = folder + "/stderr";
    std::vector<char*> argv;
    for (const std::string& argument : arguments) {
        argv.push_back(const_cast<char*>(argument.c_str()));
    }
    argv.push_back(nullptr);
    pid = fork();
    if (pid == 0) {
        // Its own process group, so that whatever it starts can be stopped with it.
        setpgid(0, 0);
        int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        int nothing = open("/dev/null", O_RDONLY);
        if (out < 0 || err < 0 || nothing < 0 || chdir(workingDirectory.c_str()) != 0) {
            _exit(127);
        }
        dup2(nothing, 0);
        dup2(out, 1);
        dup2(err, 2);
        for (const std::string& item : environment) {
            putenv(const_cast<char*>(item.c_str()));
        }
        execv(argv[0], argv.data());
        _exit(127);
    }
}

CommandRun::~CommandRun() {
    if (!ended && pid > 0) {
        kill(-pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    std::system(("rm -rf '" + folder + "'").c_str());
}

int CommandRun::waitForExit(int timeoutMs) {
    for (int waited = 0; !ended; waited += 20) {
        if (waitpid(pid, &status, WNOHANG) == pid) {
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

std::string CommandRun::output() const { return readWholeFile(folder + "/stdout"); }

std::string CommandRun::errors() const { return readWholeFile(folder + "/stderr"); }

TemporaryFolder::TemporaryFolder() : directory(makeFolder()) {}

TemporaryFolder::~TemporaryFolder() {
    if (!directory.empty()) {
        std::system(("rm -rf '" + directory + "'").c_str());
    }
}

std::string readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeWholeFile(const std::string& path, const std::string& text, bool executable) {
    {
        std::ofstream out(path, std::ios::binary);
        out << text;
    }
    chmod(path.c_str(), executable ? 0755 : 0644);
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}
