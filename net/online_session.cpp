// Meeting the other machine, playing the online fight's frames, and noticing its end.
#include "net/online_session.h"

#include <chrono>
#include <cstdio>

static long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

void OnlineSession::keepWindowAnswering() const {
    if (plan.whileWaiting != nullptr) {
        plan.whileWaiting();
    }
}

int inputDelayFor(int roundTripMs) { return roundTripMs <= 60 ? 1 : 2; }

bool OnlineSession::open(const MeetingPlan& meetingPlan, std::string& error) {
    plan = meetingPlan;
    if (plan.hosting) {
        return link.listen(plan.port, error);
    }
    return link.join(plan.hostName, plan.port, error);
}

std::vector<uint8_t> OnlineSession::greeting(int kind, int refusal) const {
    Packet p;
    p.kind = kind;
    p.gameVersion = plan.gameVersion;
    p.dataDigest = plan.dataDigest;
    p.refusal = refusal;
    return encodePacket(p);
}

// The next datagram of the wanted kind (or a refusal) before the deadline. A greeting in another
// protocol version comes back as a refusal of the version, since it cannot be read further.
bool OnlineSession::waitFor(int kind, long long deadlineMs, Packet& packet, std::string& error) {
    while (nowMs() < deadlineMs) {
        keepWindowAnswering();
        PeerEvent event = link.poll(20);
        if (event.kind == PeerEvent::DISCONNECTED) {
            error = "the other machine closed the connection";
            return false;
        }
        if (event.kind != PeerEvent::DATAGRAM) {
            continue;
        }
        const std::vector<uint8_t>& d = event.datagram;
        int claimed = claimedProtocolVersion(d.data(), d.size());
        if (claimed >= 0 && claimed != PROTOCOL_VERSION) {
            packet = Packet();
            packet.kind = PACKET_REFUSE;
            packet.refusal = REFUSED_VERSION;
            packet.gameVersion = "of another online protocol (" + std::to_string(claimed) + ")";
            return true;
        }
        if (decodePacket(d.data(), d.size(), packet) &&
            (packet.kind == kind || packet.kind == PACKET_REFUSE)) {
            return true;
        }
    }
    error = "no answer in time";
    return false;
}

static std::string refusalText(const Packet& theirs, const MeetingPlan& ours) {
    if (theirs.refusal == REFUSED_VERSION) {
        return "it runs Vantorix " + theirs.gameVersion + ", this is Vantorix " + ours.gameVersion;
    }
    return "its data files differ from these";
}

// A host waits as long as it takes: a joiner that fails the meeting is said and sent away.
bool OnlineSession::hostMeeting() {
    std::fprintf(stderr, "Vantorix: waiting for an opponent on port %d\n", plan.port);
    std::fflush(stderr);
    for (;;) {
        keepWindowAnswering();
        if (link.poll(100).kind != PeerEvent::CONNECTED) {
            continue;
        }
        std::string who = link.peerAddress();
        Packet hello;
        std::string why;
        if (!waitFor(PACKET_HELLO, nowMs() + JOIN_TIMEOUT_MS, hello, why)) {
            std::fprintf(stderr, "Vantorix: a machine at %s did not greet us (%s); still waiting\n",
                         who.c_str(), why.c_str());
            link.hangUp();
            continue;
        }
        int refusal = hello.kind != PACKET_HELLO            ? REFUSED_VERSION
                      : hello.gameVersion != plan.gameVersion ? REFUSED_VERSION
                      : hello.dataDigest != plan.dataDigest   ? REFUSED_DATA
                                                              : 0;
        if (refusal != 0) {
            hello.refusal = refusal;
            std::fprintf(stderr, "Vantorix: refused the player at %s: %s; still waiting\n",
                         who.c_str(), refusalText(hello, plan).c_str());
            link.send(greeting(PACKET_REFUSE, refusal), true);
            link.hangUp();
            continue;
        }
        long long sent = nowMs();
        link.send(greeting(PACKET_WELCOME), true);
        Packet ready;
        if (!waitFor(PACKET_READY, sent + JOIN_TIMEOUT_MS, ready, why) || ready.kind != PACKET_READY) {
            std::fprintf(stderr, "Vantorix: the player at %s went away (%s); still waiting\n",
                         who.c_str(), why.c_str());
            link.hangUp();
            continue;
        }
        roundTrip = (int)(nowMs() - sent);
        std::fprintf(stderr, "Vantorix: %s joined\n", who.c_str());
        return true;
    }
}

bool OnlineSession::joinMeeting(std::string& error) {
    long long deadline = nowMs() + JOIN_TIMEOUT_MS;
    std::string where = plan.hostName + ":" + std::to_string(plan.port);
    std::string timeout = "the host " + where + " did not answer within " +
                          std::to_string(JOIN_TIMEOUT_MS / 1000) + " s";
    while (!link.connected()) {
        if (nowMs() >= deadline) {
            error = timeout;
            return false;
        }
        keepWindowAnswering();
        link.poll(20);
    }
    long long sent = nowMs();
    link.send(greeting(PACKET_HELLO), true);
    Packet answer;
    std::string why;
    if (!waitFor(PACKET_WELCOME, deadline, answer, why)) {
        error = why == "no answer in time" ? timeout : "the host " + where + ": " + why;
        return false;
    }
    if (answer.kind == PACKET_REFUSE) {
        error = "the host " + where + " refused this game: " + refusalText(answer, plan);
        return false;
    }
    roundTrip = (int)(nowMs() - sent);
    link.send(greeting(PACKET_READY), true);
    return true;
}

bool OnlineSession::meet(std::string& error) {
    if (!(plan.hosting ? hostMeeting() : joinMeeting(error))) {
        return false;
    }
    delay = plan.inputDelay >= 0 ? plan.inputDelay : inputDelayFor(roundTrip);
    return true;
}

void OnlineSession::startFight(World& world) {
    side.reset(new OnlineFight(world, localPlayer(), delay));
    lastHeardMs = nowMs();
}

void OnlineSession::takeDatagrams() {
    for (;;) {
        PeerEvent event = link.poll(0);
        if (event.kind == PeerEvent::NONE) {
            return;
        }
        if (event.kind == PeerEvent::DISCONNECTED) {
            // A machine that found a desync says so and then leaves: the desync is the news.
            if (side->desyncFrame() < 0) {
                ended = "the other player left the fight";
            }
            return;
        }
        if (event.kind == PeerEvent::DATAGRAM) {
            lastHeardMs = nowMs();
            side->receive(event.datagram.data(), event.datagram.size());
        }
    }
}

std::vector<int> OnlineSession::playFrame(PlayerInput input) {
    std::vector<int> sounds;
    if (!ended.empty() || !side) {
        return sounds;
    }
    takeDatagrams();
    if (ended.empty() && nowMs() - lastHeardMs > SILENCE_TIMEOUT_MS) {
        ended = "the other player has been silent for " + std::to_string(SILENCE_TIMEOUT_MS / 1000) +
                " s";
    }
    if (!ended.empty()) {
        link.hangUp();
        return sounds;
    }
    if (side->desyncFrame() < 0) {
        sounds = side->playFrame(input);
        link.send(side->inputsPacket(), false);
    }
    if (side->desyncFrame() >= 0) {
        link.send(side->desyncPacket(), true);
        ended = "the fight went out of step with the other machine at frame " +
                std::to_string(side->desyncFrame()) + " (a desync); the fight stops";
        link.close();
    }
    return sounds;
}

void OnlineSession::leave() { link.close(); }
