// An X server of the test's own (Xvfb), so that several games can run side by side without mixing up windows.
#ifndef VANTORIX_TEST_DISPLAY_H
#define VANTORIX_TEST_DISPLAY_H

#include <sys/types.h>

#include <string>

class PrivateDisplay {
public:
    // Starts Xvfb with one screen of the given size (WIDTHxHEIGHTxDEPTH) on the first free display
    // number and waits until it accepts clients.
    explicit PrivateDisplay(const std::string& screen = "1280x1024x24");
    // Stops the server this object started.
    ~PrivateDisplay();

    bool ready() const { return !displayName.empty(); }
    // ":N", for the DISPLAY of a program started on this server.
    const std::string& name() const { return displayName; }
    // "DISPLAY=:N", for the environment of a program started on this server.
    std::string environment() const { return "DISPLAY=" + displayName; }

    // The id of the first window whose title is exactly title, or 0.
    unsigned long findWindow(const std::string& title) const;
    // Polls for the window until it appears or the timeout passes; 0 after the timeout.
    unsigned long waitForWindow(const std::string& title, int timeoutMs) const;

private:
    pid_t serverPid;
    std::string displayName;
};

// Makes Xlib safe for test threads that each drive a server of their own, and keeps an X error
// about a window that has just gone away from ending the test program. Called before any Xlib use.
void prepareTestXlib();

#endif
