// Test support: any command (a script, the installed launcher) started in its own process and watched from outside.
#ifndef VANTORIX_TESTS_E2E_INSTALL_COMMAND_RUN_H
#define VANTORIX_TESTS_E2E_INSTALL_COMMAND_RUN_H

#include <sys/types.h>

#include <string>
#include <vector>

class CommandRun {
public:
    // Starts arguments[0] with the given arguments in workingDirectory; environment holds
    // "NAME=value" items set on top of this process's environment.
    CommandRun(const std::vector<std::string>& arguments, const std::string& workingDirectory,
               const std::vector<std::string>& environment = std::vector<std::string>());
    ~CommandRun();

    // Exit status, or -1 when the command is still running after the timeout.
    int waitForExit(int timeoutMs);
    std::string output() const;
    std::string errors() const;

private:
    pid_t pid;
    int status;
    bool ended;
    std::string folder;
};

// A fresh empty folder under /tmp, removed with everything in it when the object goes.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    const std::string& path() const { return directory; }

private:
    std::string directory;
};

std::string readWholeFile(const std::string& path);
void writeWholeFile(const std::string& path, const std::string& text, bool executable = false);
// The lines of a text, without their line ends; no empty last line for a text ending in one.
std::vector<std::string> linesOf(const std::string& text);

#endif
