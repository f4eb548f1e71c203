// An online fight from meeting the other machine to its end: the handshake (same game version,
// same data files, the round trip measured), the frames, and why it ended.
#ifndef VANTORIX_ONLINE_SESSION_H
#define VANTORIX_ONLINE_SESSION_H

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "net/online_fight.h"
#include "net/peer_link.h"

// How a joiner reaches the host, or which port a host listens on.
struct MeetingPlan {
    bool hosting = false;
    std::string hostName;
    int port = DEFAULT_PORT;
    // Frames between a key and the frame it plays in; -1 to choose from the round trip.
    int inputDelay = -1;
    std::string gameVersion;
    // The digest of the data files (net/data_digest.h), sent and compared only when meeting.
    uint32_t dataDigest = 0;
};

// Where meeting the other machine stands after a step.
enum MeetingProgress { MEETING_GOES_ON, MEETING_DONE, MEETING_FAILED };

// A joiner waits this long for the host to answer and greet it.
const int JOIN_TIMEOUT_MS = 10000;
// A fight ends when the other machine has said nothing for this long.
const int SILENCE_TIMEOUT_MS = 5000;

// The input delay for a round trip: one frame on a near link, two beyond 60 ms.
int inputDelayFor(int roundTripMs);

class OnlineSession {
public:
    // Opens the port, or finds the host's address. False with one line in error.
    bool open(const MeetingPlan& plan, std::string& error);
    // The data files' digest, known once the game has loaded them, after open.
    void useDataDigest(uint32_t digest) { plan.dataDigest = digest; }
    // One step of meeting, at most about a tenth of a second, so that the game's loop answers
    // its windows between steps. A host waits for a joiner it can accept (refusing others by
    // name on standard error); a joiner connects and is greeted within JOIN_TIMEOUT_MS, else
    // MEETING_FAILED with one line in error.
    MeetingProgress meetStep(std::string& error);
    // Steps until met (true) or failed (false, with one line in error).
    bool meet(std::string& error);
    // The fight starts from start, stepped by rules.
    void startFight(const Fight& start, FightRules rules);

    int localPlayer() const { return plan.hosting ? 1 : 2; }
    int inputDelay() const { return delay; }
    int roundTripMs() const { return roundTrip; }

    // One displayed frame: what came in is taken, the fight runs, this machine's inputs go out.
    // Returns what was run, for the world to show.
    RollbackRun playFrame(PlayerInput input);
    // Empty while the fight goes on; else the one line that says why it ended.
    const std::string& endReason() const { return ended; }
    // Says goodbye to the other machine and closes the link.
    void leave();
    const OnlineFight* fight() const { return side.get(); }

private:
    MeetingPlan plan;
    PeerLink link;
    std::unique_ptr<OnlineFight> side;
    int delay = 2;
    int roundTrip = 0;
    long long lastHeardMs = 0;
    std::string ended;

    enum Stage {
        NOT_MEETING,
        HOST_LISTENING,
        HOST_AWAITING_HELLO,
        HOST_AWAITING_READY,
        JOIN_CONNECTING,
        JOIN_AWAITING_WELCOME
    };
    enum Greeting { GREETING_NONE, GREETING_TAKEN, GREETING_CLOSED };
    Stage stage = NOT_MEETING;
    // When the greeting awaited is overdue, and when ours went out (for the round trip).
    long long deadline = 0;
    long long sent = 0;
    std::string visitor;

    MeetingProgress hostStep();
    MeetingProgress joinStep(std::string& error);
    void sendAway(const char* who, const std::string& what);
    std::vector<uint8_t> greeting(int kind, int refusal = 0) const;
    Greeting takeGreeting(int kind, Packet& packet, std::string& error);
    void takeDatagrams();
};

#endif
