// The waiting host's notice: the router's answer and the addresses to pass on to a friend.
#include "shell/hosting_notice.h"

#include <cctype>
#include <cstdio>
#include <string>
#include <vector>

#include "net/upnp.h"
#include "net/upnp_notice.h"
#include "shell/game_objects.h"
#include "shell/start_screen.h"
#include "shell/view_notice.h"
#include "shell/webcam_worker_control.h"

static bool waiting = false;
static int hostPort = 0;
// The router's line, empty while the router is being asked.
static std::string routerSaid;
static std::string sameNetwork;

// The home network's address the router saw us at, else the first of this machine's own.
static std::string machineAddress(const std::string& lanAddress) {
    std::vector<std::string> own = machineAddresses();
    return !lanAddress.empty() ? lanAddress : own.empty() ? std::string() : own.front();
}

static void say(const std::string& routerLine) {
    routerSaid = routerLine;
    std::printf("Vantorix: %s\n", routerSaid.c_str());
    if (!sameNetwork.empty()) {
        std::printf("Vantorix: %s\n", sameNetwork.c_str());
    }
    std::fflush(stdout);
    paintHostingNotice();
}

void startHostingNotice(int port, bool askRouter) {
    waiting = true;
    hostPort = port;
    std::vector<std::string> own = machineAddresses();
    sameNetwork = sameNetworkLine(own, port);
    if (!askRouter) {
        say(unaskedRouterLine(port, machineAddress("")));
        return;
    }
    // On no network but loopback no router can answer, and miniupnpc would only complain of it
    // on standard error.
    if (own.empty()) {
        say(routerLine(RouterAnswer(), port, ""));
        return;
    }
    askRouterToOpen(port);
}

void updateHostingNotice() {
    RouterAnswer answer;
    if (waiting && takeRouterAnswer(answer)) {
        say(routerLine(answer, hostPort, machineAddress(answer.lanAddress)));
    }
}

// A line "what happened: what to do" is shown as two, to fit the window's width.
static void splitAtColon(const std::string& line, std::vector<std::string>& lines) {
    size_t colon = line.find(": ");
    lines.push_back(line.substr(0, colon == std::string::npos ? line.size() : colon + 1));
    std::string advice = colon == std::string::npos ? std::string() : line.substr(colon + 2);
    if (!advice.empty()) {
        advice[0] = (char)std::toupper((unsigned char)advice[0]);
    }
    lines.push_back("    " + advice);
}

bool paintHostingNotice() {
    if (!waiting || g_hDC == nullptr || webcamWorkerThread().joinable()) {
        return false;
    }
    std::vector<std::string> lines = {"Waiting for an opponent on UDP port " + std::to_string(hostPort) + "."};
    if (routerSaid.empty()) {
        lines.push_back("Asking the router (UPnP) to open the port...");
        lines.push_back("");
    } else {
        splitAtColon(routerSaid, lines);
    }
    lines.push_back(sameNetwork);
    lines.push_back(startScreenFight() ? "Escape goes back to the start screen;  closing a window quits."
                                       : "Escape, or closing a window, quits.");
    paintViewLines(lines, 24);
    return true;
}

void endHostingNotice() {
    if (waiting) {
        waiting = false;
        paintKeyboardNotice();
    }
}
