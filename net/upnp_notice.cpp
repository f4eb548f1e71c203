// The host's lines about the router and this machine's addresses.
#include "net/upnp_notice.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

std::vector<std::string> machineAddresses() {
    std::vector<std::string> found;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return found;
    }
    for (ifaddrs* item = list; item != nullptr; item = item->ifa_next) {
        if (item->ifa_addr == nullptr || item->ifa_addr->sa_family != AF_INET ||
            (item->ifa_flags & IFF_LOOPBACK) != 0 || (item->ifa_flags & IFF_UP) == 0) {
            continue;
        }
        char text[INET_ADDRSTRLEN];
        const sockaddr_in* address = (const sockaddr_in*)item->ifa_addr;
        if (inet_ntop(AF_INET, &address->sin_addr, text, sizeof text) != nullptr) {
            found.push_back(text);
        }
    }
    freeifaddrs(list);
    return found;
}

static std::string byHand(int port, const std::string& machine) {
    return "forward UDP port " + std::to_string(port) + " to this machine" +
           (machine.empty() ? "" : " (" + machine + ")") + " in the router by hand";
}

static std::string opened(const RouterAnswer& answer, const std::string& port) {
    std::string join = "--join " + answer.externalAddress + ":" + port;
    if (answer.externalAddress.empty()) {
        return "The router opened UDP port " + port + " but did not say its internet address: a "
               "friend elsewhere joins with --join YOUR-PUBLIC-ADDRESS:" + port;
    }
    if (!answer.externalPublic) {
        return "The router opened UDP port " + port + ", but its address " + answer.externalAddress +
               " is not public (a carrier-grade NAT or another router stands in front): a friend "
               "elsewhere may not reach " + join;
    }
    return "The router opened UDP port " + port + ": a friend elsewhere joins with " + join;
}

std::string routerLine(const RouterAnswer& answer, int port, const std::string& machine) {
    std::string number = std::to_string(port);
    switch (answer.outcome) {
    case RouterAnswer::OPENED:
        return opened(answer, number);
    case RouterAnswer::REFUSED:
        return "The router refused to open UDP port " + number + " (" + answer.detail + "): " +
               byHand(port, machine) + " for a friend elsewhere";
    case RouterAnswer::TAKEN:
        return "The router already passes UDP port " + number + " to another machine" +
               (answer.detail.empty() ? "" : " (" + answer.detail + ")") +
               ": host on another port with --host PORT, or " + byHand(port, machine);
    default:
        return "No router answered UPnP within " + std::to_string(ROUTER_DISCOVERY_MS / 1000) +
               " s: " + byHand(port, machine) + " for a friend elsewhere";
    }
}

std::string unaskedRouterLine(int port, const std::string& machine) {
    return "The router is not asked to open the port (--no-upnp): " + byHand(port, machine) +
           " for a friend elsewhere";
}

std::string sameNetworkLine(const std::vector<std::string>& addresses, int port) {
    std::string line;
    for (const std::string& address : addresses) {
        line += (line.empty() ? "A friend on this network joins with --join " : " or --join ") +
                address + ":" + std::to_string(port);
    }
    return line;
}
