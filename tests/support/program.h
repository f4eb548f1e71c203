// Test support: the real game program started in its own process, watched and driven from outside.
#ifndef VANTORIX_TEST_PROGRAM_H
#define VANTORIX_TEST_PROGRAM_H

#include <sys/types.h>

#include <string>
#include <vector>

class RunningProgram {
public:
    // Starts the game with the given working directory; extraEnvironment holds "NAME=value" items,
    // arguments the program's command line.
    RunningProgram(const std::string& workingDirectory,
                   const std::vector<std::string>& extraEnvironment = std::vector<std::string>(),
                   const std::vector<std::string>& arguments = std::vector<std::string>());
    pid_t processId() const { return pid; }
    ~RunningProgram();

    // The X window id of the first window whose title matches exactly, or 0 after the timeout.
    unsigned long waitForWindow(const std::string& title, int timeoutMs) const;
    // Exit status, or -1 when the program is still running after the timeout.
    int waitForExit(int timeoutMs);
    bool running();
    std::string output() const;
    std::string errors() const;

private:
    pid_t pid;
    int status;
    bool ended;
    std::string outPath;
    std::string errPath;
};

// Runs a shell command and returns its standard output.
std::string commandOutput(const std::string& command);
// Counts the non-overlapping occurrences of needle in text.
int occurrences(const std::string& text, const std::string& needle);
// Path of the small X client that asks a window to close.
std::string closeWindowTool();

#endif
