// Test support: a program (the real game, or a script that starts it) in its own process, on an X server of its own.
#ifndef VANTORIX_TEST_PROGRAM_H
#define VANTORIX_TEST_PROGRAM_H

#include <sys/types.h>

#include <string>
#include <vector>

#include "tests/support/display.h"
#include "tests/support/files.h"
#include "tests/support/x_driver.h"

// Generous enough for a sanitizer build on a busy machine.
const int START_TIMEOUT_MS = 60000;
const int EXIT_TIMEOUT_MS = 20000;

// From 10 apart a step of both players closes 0.5 and twelve bring them into striking range. A
// frame takes one step however many taps it reads, so this many taps this far apart still make
// twelve steps at frames of a third of a second (a sanitizer build on a busy machine); the robots
// stop at contact however many more arrive. Struck from afar, a sign winds up instead.
const int WALK_TAPS = 40;
const int WALK_TAP_GAP_MS = 100;

// What to start: commandLine[0] is the program; environment holds "NAME=value" items set on top
// of this process's environment, after DISPLAY (the program's own server) and
// SDL_AUDIODRIVER=dummy, so that a test's own items win.
struct Launch {
    std::vector<std::string> commandLine;
    std::string workingDirectory;
    std::vector<std::string> environment;
    // The program's X screen, WIDTHxHEIGHTxDEPTH.
    std::string screen = "1280x1024x24";
};

class RunningProgram {
public:
    explicit RunningProgram(const Launch& launch);
    // The game with the given command-line arguments.
    explicit RunningProgram(const std::string& workingDirectory,
                            const std::vector<std::string>& environment = std::vector<std::string>(),
                            const std::vector<std::string>& arguments = std::vector<std::string>());
    // Stops the program and whatever it started, then its X server.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    const PrivateDisplay& display() const { return server; }
    // Keys and close requests to this program's windows.
    XDriver& keys() { return driver; }

    // The window titled exactly title, or 0 when the timeout passes or the program ends first.
    unsigned long waitForWindow(const std::string& title, int timeoutMs = START_TIMEOUT_MS);
    // Exit status (128 + signal when killed), or -1 when the program still runs after the timeout.
    int waitForExit(int timeoutMs);
    bool running();
    // Milliseconds until standard error held count occurrences of text, or -1 after the timeout.
    long waitForErrors(const std::string& text, int count, int timeoutMs) const;

    // One key pressed and released, or a close request, handed to the server at once.
    void tapKey(unsigned long window, const std::string& keyName);
    void closeWindow(unsigned long window);
    // A player's two ways out of a window: Escape, or the close button.
    void leave(unsigned long window, bool byEscape);

    std::string output() const;
    std::string errors() const;
    // Resident memory in kB, or -1 when it cannot be read.
    long residentKb() const;

private:
    void start(const Launch& launch);

    PrivateDisplay server;
    XDriver driver;
    pid_t pid;
    int status;
    bool ended;
    FreshFolder folder;  // standard output and error
};

// The game's command line: the program built with the tests, then its arguments.
std::vector<std::string> gameCommand(const std::vector<std::string>& arguments);

// Runs a shell command and returns its standard output without its last line end.
std::string commandOutput(const std::string& command);
// Counts the non-overlapping occurrences of needle in text.
int occurrences(const std::string& text, const std::string& needle);
// The first line of standard error that reports a sanitizer finding or an X error, or "".
std::string troubleReport(const std::string& errors);

#endif
