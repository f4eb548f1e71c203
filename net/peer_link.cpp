// The online fight's one connection over ENet.
#include "net/peer_link.h"

#include <enet/enet.h>

#include <cstdlib>

struct LinkState {
    ENetHost* host = nullptr;
    ENetPeer* peer = nullptr;
};

static const int CHANNELS = 2;
static const int RELIABLE_CHANNEL = 0;
static const int UNRELIABLE_CHANNEL = 1;
// ENet gives up on a peer that acknowledges nothing for this long; the fight notices a silent
// peer sooner by itself, and says so.
static const int SILENCE_LIMIT_MS = 10000;

static bool startEnet(std::string& error) {
    static bool started = false;
    if (!started) {
        if (enet_initialize() != 0) {
            error = "cannot start the network library";
            return false;
        }
        std::atexit(enet_deinitialize);
        started = true;
    }
    return true;
}

// One peer at most: a third machine finds no free slot and is never let in. Every datagram
// carries a checksum, so that a damaged one is dropped before it is read.
static ENetHost* createHost(const ENetAddress* address) {
    ENetHost* host = enet_host_create(address, 1, CHANNELS, 0, 0);
    if (host != nullptr) {
        host->checksum = enet_crc32;
    }
    return host;
}

PeerLink::PeerLink() : link(new LinkState) {}

PeerLink::~PeerLink() {
    close();
    delete link;
}

bool PeerLink::listen(int port, std::string& error) {
    if (!startEnet(error)) {
        return false;
    }
    ENetAddress address;
    address.host = ENET_HOST_ANY;
    address.port = (enet_uint16)port;
    link->host = createHost(&address);
    if (link->host == nullptr) {
        error = "cannot listen on port " + std::to_string(port) +
                ": it is in use by another program (choose another with --host PORT)";
        return false;
    }
    return true;
}

bool PeerLink::join(const std::string& hostName, int port, std::string& error) {
    if (!startEnet(error)) {
        return false;
    }
    ENetAddress address;
    if (enet_address_set_host(&address, hostName.c_str()) != 0) {
        error = "cannot find the host \"" + hostName + "\": the name does not resolve";
        return false;
    }
    address.port = (enet_uint16)port;
    link->host = createHost(nullptr);
    if (link->host == nullptr) {
        error = "cannot open a network socket";
        return false;
    }
    link->peer = enet_host_connect(link->host, &address, CHANNELS, 0);
    if (link->peer == nullptr) {
        error = "cannot connect to " + hostName;
        return false;
    }
    enet_peer_timeout(link->peer, 0, SILENCE_LIMIT_MS, SILENCE_LIMIT_MS);
    return true;
}

PeerEvent PeerLink::poll(int waitMs) {
    PeerEvent result;
    if (link->host == nullptr) {
        return result;
    }
    ENetEvent event;
    if (enet_host_service(link->host, &event, (enet_uint32)waitMs) <= 0) {
        return result;
    }
    switch (event.type) {
    case ENET_EVENT_TYPE_CONNECT:
        link->peer = event.peer;
        enet_peer_timeout(link->peer, 0, SILENCE_LIMIT_MS, SILENCE_LIMIT_MS);
        result.kind = PeerEvent::CONNECTED;
        break;
    case ENET_EVENT_TYPE_RECEIVE:
        if (event.peer == link->peer) {
            result.kind = PeerEvent::DATAGRAM;
            result.datagram.assign(event.packet->data, event.packet->data + event.packet->dataLength);
        }
        enet_packet_destroy(event.packet);
        break;
    case ENET_EVENT_TYPE_DISCONNECT:
        if (event.peer == link->peer) {
            link->peer = nullptr;
            result.kind = PeerEvent::DISCONNECTED;
        }
        break;
    default:
        break;
    }
    return result;
}

void PeerLink::send(const std::vector<uint8_t>& datagram, bool reliable) {
    if (link->peer == nullptr || datagram.empty()) {
        return;
    }
    ENetPacket* packet = enet_packet_create(datagram.data(), datagram.size(),
                                            reliable ? ENET_PACKET_FLAG_RELIABLE : 0);
    if (enet_peer_send(link->peer, reliable ? RELIABLE_CHANNEL : UNRELIABLE_CHANNEL, packet) != 0) {
        enet_packet_destroy(packet);
    }
    enet_host_flush(link->host);
}

// What was sent goes first (a refusal must arrive before the parting), within a short wait.
static void partFrom(ENetHost* host, ENetPeer* peer) {
    enet_peer_disconnect_later(peer, 0);
    ENetEvent event;
    while (enet_host_service(host, &event, 300) > 0) {
        if (event.type == ENET_EVENT_TYPE_RECEIVE) {
            enet_packet_destroy(event.packet);
        } else if (event.type == ENET_EVENT_TYPE_DISCONNECT && event.peer == peer) {
            return;
        }
    }
    enet_peer_reset(peer);
}

void PeerLink::hangUp() {
    if (link->peer != nullptr) {
        partFrom(link->host, link->peer);
        link->peer = nullptr;
    }
}

void PeerLink::close() {
    if (link->host == nullptr) {
        return;
    }
    hangUp();
    enet_host_destroy(link->host);
    link->host = nullptr;
}

bool PeerLink::connected() const {
    return link->peer != nullptr && link->peer->state == ENET_PEER_STATE_CONNECTED;
}

std::string PeerLink::peerAddress() const {
    if (link->peer == nullptr) {
        return std::string();
    }
    char text[64];
    if (enet_address_get_host_ip(&link->peer->address, text, sizeof text) != 0) {
        return std::string();
    }
    return std::string(text) + ":" + std::to_string(link->peer->address.port);
}
