// An X server of the test's own (Xvfb), so that several games can run side by side without mixing up windows.
#include "tests/support/display.h"

#include <X11/Xlib.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

// The descriptor Xvfb writes its display number to; any number the child does not otherwise use.
static const int DISPLAY_FD = 9;

// How long a server may take to start, or to end once asked, before it is taken for stuck.
static const int SERVER_WAIT_MS = 20000;

// Reads the display number Xvfb announces once it listens; empty when the server died first or
// did not answer in time.
static std::string readDisplayNumber(int fd) {
    std::string number;
    char c;
    pollfd ready = {fd, POLLIN, 0};
    while (poll(&ready, 1, SERVER_WAIT_MS) == 1 && read(fd, &c, 1) == 1) {
        if (c == '\n') {
            break;
        }
        number.push_back(c);
    }
    return number;
}

PrivateDisplay::PrivateDisplay(const std::string& screen) : serverPid(-1) {
    int pipeFds[2];
    // Close-on-exec: a program another test thread starts meanwhile must not hold the pipe open.
    if (pipe2(pipeFds, O_CLOEXEC) != 0) {
        return;
    }
    serverPid = fork();
    if (serverPid == 0) {
        dup2(pipeFds[1], DISPLAY_FD);
        // dup2 onto itself keeps close-on-exec: clear it either way.
        fcntl(DISPLAY_FD, F_SETFD, 0);
        int quiet = open("/dev/null", O_WRONLY);
        dup2(quiet, 1);
        dup2(quiet, 2);
        // -noreset: the server must outlive the game's connections, or a program that connects
        // while it resets is refused.
        execlp("Xvfb", "Xvfb", "-displayfd", "9", "-noreset", "-nolisten", "tcp", "-screen", "0",
               screen.c_str(), (char*)NULL);
        _exit(127);
    }
    close(pipeFds[1]);
    std::string number = serverPid > 0 ? readDisplayNumber(pipeFds[0]) : std::string();
    close(pipeFds[0]);
    if (!number.empty()) {
        displayName = ":" + number;
    }
}

// A server that does not end when asked is killed, so that a test never waits on it for good.
PrivateDisplay::~PrivateDisplay() {
    if (serverPid <= 0) {
        return;
    }
    kill(serverPid, SIGTERM);
    int status;
    for (int waited = 0; waited < SERVER_WAIT_MS; waited += 20) {
        if (waitpid(serverPid, &status, WNOHANG) == serverPid) {
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    kill(serverPid, SIGKILL);
    waitpid(serverPid, &status, 0);
}

static Window findByTitle(Display* display, Window top, const char* title) {
    char* name = NULL;
    if (XFetchName(display, top, &name) && name != NULL) {
        bool same = std::strcmp(name, title) == 0;
        XFree(name);
        if (same) {
            return top;
        }
    }
    Window root, parent, *children = NULL;
    unsigned int count = 0;
    Window found = 0;
    if (XQueryTree(display, top, &root, &parent, &children, &count)) {
        for (unsigned int i = 0; i < count && found == 0; i++) {
            found = findByTitle(display, children[i], title);
        }
        if (children != NULL) {
            XFree(children);
        }
    }
    return found;
}

// A window may vanish between listing and naming it; that is not an error worth stopping for.
static int ignoreErrors(Display*, XErrorEvent*) { return 0; }

void prepareTestXlib() {
    // Several test threads talk to their own servers at once; the handler is set once for all.
    static const bool prepared = (XInitThreads(), XSetErrorHandler(ignoreErrors), true);
    (void)prepared;
}

unsigned long PrivateDisplay::findWindow(const std::string& title) const {
    prepareTestXlib();
    Display* display = XOpenDisplay(displayName.c_str());
    if (display == NULL) {
        return 0;
    }
    Window found = findByTitle(display, DefaultRootWindow(display), title.c_str());
    XCloseDisplay(display);
    return found;
}

unsigned long PrivateDisplay::waitForWindow(const std::string& title, int timeoutMs) const {
    for (int waited = 0; waited <= timeoutMs; waited += 50) {
        unsigned long window = findWindow(title);
        if (window != 0) {
            return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return 0;
}
