// Asking the home router (UPnP IGD) to pass the host's UDP port to this machine, and taking the
// opening back. miniupnpc's types stay behind this header.
#ifndef VANTORIX_UPNP_H
#define VANTORIX_UPNP_H

#include <string>

// The longest a router is waited for: one that does not answer must not hold hosting up.
const int ROUTER_DISCOVERY_MS = 2000;
// A mapping lasts this long at most, so that one a crash left behind goes away by itself.
const int ROUTER_LEASE_S = 3600;
// The mapping's description on the router: what marks a mapping as the game's own.
const char* const ROUTER_MAPPING_NAME = "Vantorix";

// What came of asking the router.
struct RouterAnswer {
    enum Outcome { OPENED, NO_ROUTER, REFUSED, TAKEN };
    Outcome outcome = NO_ROUTER;
    // The router's address on the internet, as it says; empty when unknown.
    std::string externalAddress;
    // Whether that address can be reached from the internet (not private, shared or reserved).
    bool externalPublic = false;
    // This machine's address on the router's network; empty without a router.
    std::string lanAddress;
    // REFUSED: the router's reason; TAKEN: the machine the port already goes to.
    std::string detail;
};

// Starts asking the router, on a thread of its own, to pass UDP port to this machine; a mapping
// of ours that an earlier run left behind is replaced.
void askRouterToOpen(int port);
// False while the asking goes on; then true, once, with its answer.
bool takeRouterAnswer(RouterAnswer& answer);
// Takes back the mapping made (waiting a little for an asking still under way); later calls do
// nothing.
void closeRouterPort();

#endif
