// Meeting the other machine, playing the online fight's frames, and noticing its end.
#include "net/online_session.h"

#include <chrono>
#include <cstdio>

static long long nowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
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

// One look at the link for a greeting of the wanted kind (or a refusal). A greeting in another
// protocol version comes back as a refusal of the version, since it cannot be read further.
OnlineSession::Greeting OnlineSession::takeGreeting(int kind, Packet& packet, std::string& error) {
    PeerEvent event = link.poll(20);
    if (event.kind == PeerEvent::DISCONNECTED) {
        error = "the other machine closed the connection";
        return GREETING_CLOSED;
    }
    if (event.kind != PeerEvent::DATAGRAM) {
        return GREETING_NONE;
    }
    const std::vector<uint8_t>& d = event.datagram;
    int claimed = claimedProtocolVersion(d.data(), d.size());
    if (claimed >= 0 && claimed != PROTOCOL_VERSION) {
        packet = Packet();
        packet.kind = PACKET_REFUSE;
        packet.refusal = REFUSED_VERSION;
        packet.gameVersion = "of another online protocol (" + std::to_string(claimed) + ")";
        return GREETING_TAKEN;
    }
    if (decodePacket(d.data(), d.size(), packet) &&
        (packet.kind == kind || packet.kind == PACKET_REFUSE)) {
        return GREETING_TAKEN;
    }
    return GREETING_NONE;
}

static std::string refusalText(const Packet& theirs, const MeetingPlan& ours) {
    if (theirs.refusal == REFUSED_VERSION) {
        return "it runs Vantorix " + theirs.gameVersion + ", this is Vantorix " + ours.gameVersion;
    }
    return "its data files differ from these";
}

// A joiner that did not finish meeting the host is said and sent away; the host waits on.
void OnlineSession::sendAway(const char* who, const std::string& what) {
    std::fprintf(stderr, "Vantorix: %s %s %s; still waiting\n", who, visitor.c_str(), what.c_str());
    link.hangUp();
    stage = HOST_LISTENING;
}

// A host waits as long as it takes, for a joiner of the same version with the same data.
MeetingProgress OnlineSession::hostStep() {
    Packet packet;
    std::string why;
    if (stage == HOST_LISTENING) {
        if (link.poll(100).kind == PeerEvent::CONNECTED) {
            visitor = link.peerAddress();
            deadline = nowMs() + JOIN_TIMEOUT_MS;
            stage = HOST_AWAITING_HELLO;
        }
        return MEETING_GOES_ON;
    }
    int wanted = stage == HOST_AWAITING_HELLO ? PACKET_HELLO : PACKET_READY;
    const char* failure = stage == HOST_AWAITING_HELLO ? "a machine at" : "the player at";
    Greeting got = nowMs() >= deadline ? GREETING_CLOSED : takeGreeting(wanted, packet, why);
    if (got == GREETING_CLOSED) {
        why = why.empty() ? "no answer in time" : why;
        std::string what = stage == HOST_AWAITING_HELLO ? "did not greet us" : "went away";
        sendAway(failure, what + " (" + why + ")");
        return MEETING_GOES_ON;
    }
    if (got == GREETING_NONE) {
        return MEETING_GOES_ON;
    }
    if (stage == HOST_AWAITING_READY) {
        if (packet.kind != PACKET_READY) {
            sendAway(failure, "went away ()");
            return MEETING_GOES_ON;
        }
        roundTrip = (int)(nowMs() - sent);
        std::fprintf(stderr, "Vantorix: %s joined\n", visitor.c_str());
        return MEETING_DONE;
    }
    int refusal = packet.kind != PACKET_HELLO              ? REFUSED_VERSION
                  : packet.gameVersion != plan.gameVersion ? REFUSED_VERSION
                  : packet.dataDigest != plan.dataDigest   ? REFUSED_DATA
                                                           : 0;
    if (refusal != 0) {
        packet.refusal = refusal;
        std::fprintf(stderr, "Vantorix: refused the player at %s: %s; still waiting\n", visitor.c_str(),
                     refusalText(packet, plan).c_str());
        link.send(greeting(PACKET_REFUSE, refusal), true);
        link.hangUp();
        stage = HOST_LISTENING;
        return MEETING_GOES_ON;
    }
    sent = nowMs();
    link.send(greeting(PACKET_WELCOME), true);
    deadline = sent + JOIN_TIMEOUT_MS;
    stage = HOST_AWAITING_READY;
    return MEETING_GOES_ON;
}

// A joiner connects and is greeted within JOIN_TIMEOUT_MS of starting, or gives up.
MeetingProgress OnlineSession::joinStep(std::string& error) {
    std::string where = plan.hostName + ":" + std::to_string(plan.port);
    std::string timeout = "the host " + where + " did not answer within " +
                          std::to_string(JOIN_TIMEOUT_MS / 1000) + " s";
    if (nowMs() >= deadline) {
        error = timeout;
        return MEETING_FAILED;
    }
    if (stage == JOIN_CONNECTING) {
        if (!link.connected()) {
            link.poll(20);
            return MEETING_GOES_ON;
        }
        sent = nowMs();
        link.send(greeting(PACKET_HELLO), true);
        stage = JOIN_AWAITING_WELCOME;
        return MEETING_GOES_ON;
    }
    Packet answer;
    std::string why;
    Greeting got = takeGreeting(PACKET_WELCOME, answer, why);
    if (got == GREETING_NONE) {
        return MEETING_GOES_ON;
    }
    if (got == GREETING_CLOSED) {
        error = "the host " + where + ": " + why;
        return MEETING_FAILED;
    }
    if (answer.kind == PACKET_REFUSE) {
        error = "the host " + where + " refused this game: " + refusalText(answer, plan);
        return MEETING_FAILED;
    }
    roundTrip = (int)(nowMs() - sent);
    link.send(greeting(PACKET_READY), true);
    return MEETING_DONE;
}

MeetingProgress OnlineSession::meetStep(std::string& error) {
    if (stage == NOT_MEETING) {
        if (plan.hosting) {
            std::fprintf(stderr, "Vantorix: waiting for an opponent on port %d\n", plan.port);
            std::fflush(stderr);
        }
        stage = plan.hosting ? HOST_LISTENING : JOIN_CONNECTING;
        deadline = nowMs() + JOIN_TIMEOUT_MS;
    }
    MeetingProgress progress = plan.hosting ? hostStep() : joinStep(error);
    if (progress == MEETING_DONE) {
        delay = plan.inputDelay >= 0 ? plan.inputDelay : inputDelayFor(roundTrip);
    }
    return progress;
}

bool OnlineSession::meet(std::string& error) {
    MeetingProgress progress = MEETING_GOES_ON;
    while (progress == MEETING_GOES_ON) {
        progress = meetStep(error);
    }
    return progress == MEETING_DONE;
}

void OnlineSession::startFight(const Fight& start, FightRules rules) {
    side.reset(new OnlineFight(start, rules, localPlayer(), delay));
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

RollbackRun OnlineSession::playFrame(PlayerInput input) {
    RollbackRun ran;
    if (!ended.empty() || !side) {
        return ran;
    }
    takeDatagrams();
    if (ended.empty() && nowMs() - lastHeardMs > SILENCE_TIMEOUT_MS) {
        ended = "the other player has been silent for " + std::to_string(SILENCE_TIMEOUT_MS / 1000) +
                " s";
    }
    if (!ended.empty()) {
        link.hangUp();
        return ran;
    }
    if (side->desyncFrame() < 0) {
        ran = side->playFrame(input);
        link.send(side->inputsPacket(), false);
    }
    if (side->desyncFrame() >= 0) {
        link.send(side->desyncPacket(), true);
        ended = "the fight went out of step with the other machine at frame " +
                std::to_string(side->desyncFrame()) + " (a desync); the fight stops";
        link.close();
    }
    return ran;
}

void OnlineSession::leave() { link.close(); }
