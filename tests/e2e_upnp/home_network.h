// Test support: a home behind a NAT router that speaks UPnP (miniupnpd) and a friend's machine
// outside it, in network namespaces of the test's own that route nowhere else.
#ifndef VANTORIX_TEST_HOME_NETWORK_H
#define VANTORIX_TEST_HOME_NETWORK_H

#include <string>
#include <vector>

#include "tests/support/files.h"
#include "tests/support/program.h"

class HomeNetwork {
public:
    // The home machine, its router (inside 198.18.1.1, outside 198.19.0.1) and the friend's
    // machine (198.19.0.2); why() says what is missing when they cannot be made.
    HomeNetwork();
    // Stops whatever runs in the namespaces and removes them.
    ~HomeNetwork();
    const std::string& why() const { return missing; }
    // Starts the router's UPnP daemon, which lets the home machine map the given port or not;
    // false when it did not come up.
    bool startRouter(bool allowPort, int port);
    // The mappings the router holds now, one line each: UDP:port:machine:port:expiry:description.
    std::vector<std::string> mappings() const;
    // The game with its arguments, started in the folder at home or on the friend's machine.
    Launch atHome(const std::string& folder, const std::vector<std::string>& arguments) const;
    Launch outside(const std::string& folder, const std::vector<std::string>& arguments) const;
    // Sends the signal to every process at home.
    void signalHome(int signal) const;

private:
    std::string home, router, friendly, missing;
    FreshFolder folder;
};

#endif
