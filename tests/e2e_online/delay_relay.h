// A UDP relay on loopback between a joiner and a host that delays, jitters and drops datagrams,
// as a link between two distant machines would.
#ifndef VANTORIX_TEST_DELAY_RELAY_H
#define VANTORIX_TEST_DELAY_RELAY_H

#include <atomic>
#include <cstdint>
#include <mutex>
#include <thread>
#include <vector>

// A UDP port of loopback nobody listens on now (for the host, or for the relay itself).
int freeUdpPort();

class DelayRelay {
public:
    // Listens on a free port of loopback and forwards to the host's port, each way after
    // delayMs plus up to jitterMs, dropping the given share of datagrams.
    DelayRelay(int hostPort, int delayMs, int jitterMs, double loss);
    ~DelayRelay();
    int port() const { return relayPort; }
    // Copies of datagrams that went toward the host, for replaying them from elsewhere.
    std::vector<std::vector<uint8_t>> towardHost();
    long forwarded() const { return sent; }

private:
    void run();

    int hostPort;
    int delayMs;
    int jitterMs;
    double loss;
    int joinerSide = -1;
    int hostSide = -1;
    int relayPort = 0;
    std::atomic<bool> stop{false};
    std::atomic<long> sent{0};
    std::mutex seenLock;
    std::vector<std::vector<uint8_t>> seen;
    std::thread worker;
};

#endif
