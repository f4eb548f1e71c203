// One machine's side of an online fight, whatever carries the datagrams: its inputs go out, the
// other's come in, the fight runs ahead and corrects itself, and both fingerprints are compared.
#ifndef VANTORIX_ONLINE_FIGHT_H
#define VANTORIX_ONLINE_FIGHT_H

#include <cstdint>
#include <map>
#include <vector>

#include "net/packet.h"
#include "rules/fingerprint.h"
#include "rules/rollback_fight.h"

// Frames between two fingerprints compared: one second, as a recording keeps them.
const int CHECK_INTERVAL = FINGERPRINT_FRAMES;

class OnlineFight {
public:
    OnlineFight(const Fight& start, FightRules rules, int localPlayer, int inputDelay);

    // One displayed frame with this machine's input: runs the fight one frame (correcting it
    // first) unless it is too far ahead of the other machine, in which case the input waits for
    // the next frame and nothing is run.
    RollbackRun playFrame(PlayerInput input);
    // The datagram to send after the frame: the inputs the other machine has not acknowledged.
    std::vector<uint8_t> inputsPacket() const;
    // Takes a datagram from the other machine; anything malformed or out of place is dropped.
    void receive(const uint8_t* data, size_t size);

    // The first frame whose fingerprints differ, or -1 while both machines agree.
    int desyncFrame() const { return desync; }
    // The datagram that tells the other machine of a desync.
    std::vector<uint8_t> desyncPacket() const;
    const RollbackFight& fight() const { return rollback; }
    long framesWaited() const { return waited; }
    long fingerprintsCompared() const { return compared; }

private:
    RollbackFight rollback;
    // This machine's input while the fight waits: walking and tower keys add up, the last sign stands.
    PlayerInput held = 0;
    bool holding = false;
    int remoteAck = -1;
    int remoteFrame = 0;
    int remoteAdvantage = 0;
    // The other machine's fingerprints of frames this one has not made final yet.
    std::map<int, uint32_t> theirChecks;
    int desync = -1;
    long waited = 0;
    long compared = 0;
    // How far ahead this machine runs, smoothed over a few frames.
    int smoothedLead = 0;

    int advantage() const;
    bool shouldWait();
    void takeInputs(const Packet& packet);
    void compareFingerprints();
    int lastCheckFrame() const;
};

#endif
