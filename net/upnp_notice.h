// What a host tells its player to pass on to a friend: the router's answer and this machine's own
// addresses, in words.
#ifndef VANTORIX_UPNP_NOTICE_H
#define VANTORIX_UPNP_NOTICE_H

#include <string>
#include <vector>

#include "net/upnp.h"

// This machine's IPv4 addresses, loopback left out.
std::vector<std::string> machineAddresses();
// What the router did with the port and, when it did not open it, what to do by hand. machine
// is this machine's address on the home network (may be empty).
std::string routerLine(const RouterAnswer& answer, int port, const std::string& machine);
// The same when the router is not asked (--no-upnp).
std::string unaskedRouterLine(int port, const std::string& machine);
// How a friend on the same network joins; empty without an address.
std::string sameNetworkLine(const std::vector<std::string>& addresses, int port);

#endif
