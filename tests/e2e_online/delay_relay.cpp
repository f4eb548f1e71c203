// The delaying UDP relay between a joiner and a host on loopback.
#include "tests/e2e_online/delay_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <random>

static sockaddr_in loopback(int port) {
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons((uint16_t)port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

static int boundSocket(int port) {
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = loopback(port);
    if (s >= 0 && bind(s, (sockaddr*)&address, sizeof address) != 0) {
        close(s);
        return -1;
    }
    return s;
}

static int portOf(int s) {
    sockaddr_in address = {};
    socklen_t size = sizeof address;
    getsockname(s, (sockaddr*)&address, &size);
    return ntohs(address.sin_port);
}

int freeUdpPort() {
    int s = boundSocket(0);
    int port = portOf(s);
    close(s);
    return port;
}

DelayRelay::DelayRelay(int hostPort_, int delayMs_, int jitterMs_, double loss_)
    : hostPort(hostPort_), delayMs(delayMs_), jitterMs(jitterMs_), loss(loss_) {
    joinerSide = boundSocket(0);
    hostSide = boundSocket(0);
    relayPort = portOf(joinerSide);
    worker = std::thread(&DelayRelay::run, this);
}

DelayRelay::~DelayRelay() {
    stop = true;
    worker.join();
    close(joinerSide);
    close(hostSide);
}

std::vector<std::vector<uint8_t>> DelayRelay::towardHost() {
    std::lock_guard<std::mutex> hold(seenLock);
    return seen;
}

namespace {
struct Flight {
    long long due;
    bool toHost;
    std::vector<uint8_t> bytes;
};
long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}
}  // namespace

void DelayRelay::run() {
    std::mt19937 random(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    std::vector<Flight> inFlight;
    sockaddr_in joiner = {};
    bool joinerKnown = false;
    sockaddr_in host = loopback(hostPort);
    while (!stop) {
        pollfd sockets[2] = {{joinerSide, POLLIN, 0}, {hostSide, POLLIN, 0}};
        poll(sockets, 2, 1);
        for (int side = 0; side < 2; side++) {
            if (!(sockets[side].revents & POLLIN)) {
                continue;
            }
            uint8_t buffer[4096];
            sockaddr_in from = {};
            socklen_t size = sizeof from;
            ssize_t got = recvfrom(sockets[side].fd, buffer, sizeof buffer, 0, (sockaddr*)&from, &size);
            if (got <= 0) {
                continue;
            }
            if (side == 0) {
                joiner = from;
                joinerKnown = true;
                std::lock_guard<std::mutex> hold(seenLock);
                seen.emplace_back(buffer, buffer + got);
            }
            if (unit(random) < loss) {
                continue;
            }
            long long due = nowMs() + delayMs + (long long)(jitterMs * unit(random));
            inFlight.push_back({due, side == 0, std::vector<uint8_t>(buffer, buffer + got)});
        }
        long long now = nowMs();
        for (size_t i = 0; i < inFlight.size();) {
            if (inFlight[i].due > now || (!inFlight[i].toHost && !joinerKnown)) {
                i++;
                continue;
            }
            const Flight& f = inFlight[i];
            const sockaddr_in& to = f.toHost ? host : joiner;
            sendto(f.toHost ? hostSide : joinerSide, f.bytes.data(), f.bytes.size(), 0,
                   (const sockaddr*)&to, sizeof to);
            sent++;
            inFlight.erase(inFlight.begin() + i);
        }
    }
}
