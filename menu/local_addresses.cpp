// This machine's network addresses, read from its interfaces.
#include "menu/local_addresses.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netinet/in.h>

#include <algorithm>

static bool reachable(const ifaddrs* entry) {
    if (entry->ifa_addr == nullptr || !(entry->ifa_flags & IFF_UP) || (entry->ifa_flags & IFF_LOOPBACK)) {
        return false;
    }
    if (entry->ifa_addr->sa_family == AF_INET6) {
        const in6_addr& address = ((const sockaddr_in6*)entry->ifa_addr)->sin6_addr;
        return !IN6_IS_ADDR_LINKLOCAL(&address) && !IN6_IS_ADDR_LOOPBACK(&address);
    }
    return entry->ifa_addr->sa_family == AF_INET;
}

std::vector<std::string> localAddresses() {
    std::vector<std::string> four;
    std::vector<std::string> six;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) {
        return four;
    }
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (!reachable(entry)) {
            continue;
        }
        char text[INET6_ADDRSTRLEN] = "";
        bool isFour = entry->ifa_addr->sa_family == AF_INET;
        const void* raw = isFour ? (const void*)&((const sockaddr_in*)entry->ifa_addr)->sin_addr
                                 : (const void*)&((const sockaddr_in6*)entry->ifa_addr)->sin6_addr;
        if (inet_ntop(entry->ifa_addr->sa_family, raw, text, sizeof text) == nullptr) {
            continue;
        }
        std::vector<std::string>& to = isFour ? four : six;
        if (std::find(to.begin(), to.end(), text) == to.end()) {
            to.push_back(text);
        }
    }
    freeifaddrs(list);
    four.insert(four.end(), six.begin(), six.end());
    return four;
}
