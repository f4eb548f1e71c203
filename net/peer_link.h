// The one connection of an online fight, carried by ENet: a host that lets exactly one machine
// in, or a joiner that reaches it. ENet's types stay behind this header.
#ifndef VANTORIX_PEER_LINK_H
#define VANTORIX_PEER_LINK_H

#include <cstdint>
#include <string>
#include <vector>

// The port a host listens on unless told another.
const int DEFAULT_PORT = 7460;

// Whether a HOST or HOST:PORT a player typed is an IPv6 address ("::1", "[fe80::1]:7460"), which
// ENet cannot reach: it speaks IPv4 only, and the port split at the last colon would cut it.
inline bool isIpv6Address(const std::string& typed) {
    return typed.find('[') != std::string::npos || typed.find(':') != typed.rfind(':');
}

struct PeerEvent {
    enum Kind { NONE, CONNECTED, DATAGRAM, DISCONNECTED };
    Kind kind = NONE;
    std::vector<uint8_t> datagram;
};

struct LinkState;

class PeerLink {
public:
    PeerLink();
    ~PeerLink();
    PeerLink(const PeerLink&) = delete;
    PeerLink& operator=(const PeerLink&) = delete;

    // Listens on the port of every address of this machine. False with one line in error.
    bool listen(int port, std::string& error);
    // Resolves the name and starts to connect. False with one line in error.
    bool join(const std::string& hostName, int port, std::string& error);
    // The next event, waiting up to the given milliseconds for one (0: only what is there).
    PeerEvent poll(int waitMs);
    // Sends to the other machine: reliable datagrams arrive once and in order, the others may not.
    void send(const std::vector<uint8_t>& datagram, bool reliable);
    // Sends the other machine away at once; a host may then let another in.
    void hangUp();
    // Tells the other machine we are gone, as far as a short wait allows, and closes the link.
    void close();
    bool connected() const;
    // The other machine's address as text, or empty.
    std::string peerAddress() const;

private:
    LinkState* link;
};

#endif
