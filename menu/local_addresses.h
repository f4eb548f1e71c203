// This machine's network addresses, for the host screen to tell the friend who joins.
#ifndef VANTORIX_LOCAL_ADDRESSES_H
#define VANTORIX_LOCAL_ADDRESSES_H

#include <string>
#include <vector>

// The addresses of the interfaces that are up: IPv4 first, then IPv6; loopback and IPv6
// link-local addresses left out (no friend reaches them). Empty when there are none.
std::vector<std::string> localAddresses();

#endif
