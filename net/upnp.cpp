// The host's UDP port opened on the home router through miniupnpc, on a thread, and taken back.
#include "net/upnp.h"

#include <arpa/inet.h>
#include <miniupnpc/miniupnpc.h>
#include <miniupnpc/upnpcommands.h>
#include <miniupnpc/upnperrors.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <thread>

// UPnP's answer when the entry wanted conflicts with another, and when a router keeps only
// mappings without an end.
static const int CONFLICT_IN_MAPPING = 718;
static const int ONLY_PERMANENT_LEASES = 725;

// One asking for the whole run. It is never freed: the program may end while its thread still
// waits for a router, and the thread must not find it gone.
struct Asking {
    std::string port;
    std::atomic<bool> answered{false};
    bool handedOut = false;
    RouterAnswer answer;
    // Held while the router is changed, so that taking the mapping back waits for a change
    // under way and a change not yet begun is never made.
    std::mutex changing;
    bool closed = false;
    bool haveRouter = false;
    bool mapped = false;
    UPNPUrls urls;
    IGDdatas data;
};

static Asking* asking = nullptr;

// Addresses the internet cannot reach: private, shared by a carrier's NAT, local, reserved.
static bool isPublicAddress(const std::string& text) {
    in_addr parsed;
    if (inet_pton(AF_INET, text.c_str(), &parsed) != 1) {
        return false;
    }
    static const struct {
        uint32_t base;
        int bits;
    } unreachable[] = {{0x00000000, 8},  {0x0A000000, 8},  {0x64400000, 10}, {0x7F000000, 8},
                       {0xA9FE0000, 16}, {0xAC100000, 12}, {0xC0000000, 24}, {0xC0000200, 24},
                       {0xC0A80000, 16}, {0xC6120000, 15}, {0xC6336400, 24}, {0xCB007100, 24},
                       {0xE0000000, 3}};
    uint32_t address = ntohl(parsed.s_addr);
    for (const auto& range : unreachable) {
        if ((address >> (32 - range.bits)) == (range.base >> (32 - range.bits))) {
            return false;
        }
    }
    return true;
}

static int addMapping(Asking& a, const char* lease) {
    return UPNP_AddPortMapping(a.urls.controlURL, a.data.first.servicetype, a.port.c_str(),
                               a.port.c_str(), a.answer.lanAddress.c_str(), ROUTER_MAPPING_NAME, "UDP",
                               nullptr, lease);
}

// A mapping of the port that is already there: another machine's leaves the port taken; ours,
// left by a run that could not take it back, is replaced; another program's mapping to this
// machine serves as it is and stays when we go.
static void mapPort(Asking& a) {
    const char* control = a.urls.controlURL;
    const char* service = a.data.first.servicetype;
    char client[64] = "", clientPort[8] = "", description[96] = "", enabled[8] = "", lease[24] = "";
    if (UPNP_GetSpecificPortMappingEntry(control, service, a.port.c_str(), "UDP", nullptr, client,
                                         clientPort, description, enabled, lease) == UPNPCOMMAND_SUCCESS) {
        if (a.answer.lanAddress != client || a.port != clientPort) {
            a.answer.outcome = RouterAnswer::TAKEN;
            a.answer.detail = client;
            return;
        }
        if (std::strcmp(description, ROUTER_MAPPING_NAME) != 0) {
            a.answer.outcome = RouterAnswer::OPENED;
            return;
        }
        UPNP_DeletePortMapping(control, service, a.port.c_str(), "UDP", nullptr);
    }
    int result = addMapping(a, std::to_string(ROUTER_LEASE_S).c_str());
    if (result == ONLY_PERMANENT_LEASES) {
        result = addMapping(a, "0");
    }
    a.mapped = result == UPNPCOMMAND_SUCCESS;
    a.answer.outcome = a.mapped                         ? RouterAnswer::OPENED
                       : result == CONFLICT_IN_MAPPING ? RouterAnswer::TAKEN
                                                       : RouterAnswer::REFUSED;
    if (result != UPNPCOMMAND_SUCCESS) {
        const char* reason = strupnperror(result);
        a.answer.detail = reason != nullptr ? reason : "error " + std::to_string(result);
    }
}

// Every kind of gateway is searched for at once, so that no answer means one wait in all.
static UPNPDev* discoverRouters() {
    static const char* const kinds[] = {"urn:schemas-upnp-org:device:InternetGatewayDevice:1",
                                        "urn:schemas-upnp-org:device:InternetGatewayDevice:2",
                                        "urn:schemas-upnp-org:service:WANIPConnection:1",
                                        "urn:schemas-upnp-org:service:WANPPPConnection:1", nullptr};
    int error = 0;
    return upnpDiscoverDevices(kinds, ROUTER_DISCOVERY_MS, nullptr, nullptr, UPNP_LOCAL_PORT_ANY, 0, 2,
                               &error, 1);
}

// A gateway that says it is not connected may only sit behind another NAT: it is asked all the
// same, and its address says what a friend can reach.
static void askRouter(Asking* a) {
    UPNPDev* routers = discoverRouters();
    char lan[64] = "";
    int found = routers != nullptr ? UPNP_GetValidIGD(routers, &a->urls, &a->data, lan, sizeof lan) : 0;
    freeUPNPDevlist(routers);
    std::lock_guard<std::mutex> hold(a->changing);
    // Found, the router's URLs are filled in even when it is not a gateway.
    a->haveRouter = found != 0 && !a->closed;
    if (found != 0 && a->closed) {
        FreeUPNPUrls(&a->urls);
    }
    if ((found == 1 || found == 2) && !a->closed) {
        a->answer.lanAddress = lan;
        char external[64] = "";
        if (UPNP_GetExternalIPAddress(a->urls.controlURL, a->data.first.servicetype, external) ==
                UPNPCOMMAND_SUCCESS &&
            std::strcmp(external, "0.0.0.0") != 0) {
            a->answer.externalAddress = external;
            a->answer.externalPublic = isPublicAddress(external);
        }
        mapPort(*a);
    }
    a->answered = true;
}

void askRouterToOpen(int port) {
    // Hosting again after the port was taken back asks afresh; the last asking stays with its
    // thread, which may still be waiting for the router.
    if (asking != nullptr && !asking->closed) {
        return;
    }
    asking = new Asking;
    asking->port = std::to_string(port);
    std::thread(askRouter, asking).detach();
}

bool takeRouterAnswer(RouterAnswer& answer) {
    if (asking == nullptr || !asking->answered || asking->handedOut) {
        return false;
    }
    asking->handedOut = true;
    answer = asking->answer;
    return true;
}

void closeRouterPort() {
    if (asking == nullptr) {
        return;
    }
    std::lock_guard<std::mutex> hold(asking->changing);
    if (asking->closed) {
        return;
    }
    asking->closed = true;
    if (asking->mapped) {
        UPNP_DeletePortMapping(asking->urls.controlURL, asking->data.first.servicetype,
                               asking->port.c_str(), "UDP", nullptr);
        asking->mapped = false;
    }
    if (asking->haveRouter) {
        FreeUPNPUrls(&asking->urls);
        asking->haveRouter = false;
    }
}
