// One machine's side of an online fight: inputs out and in, pace, and the fingerprint check.
#include "net/online_fight.h"

#include <algorithm>

// The other machine's inputs are taken this far past this machine's frame at most, which an
// honest peer never reaches (it waits for us long before).
static const int REMOTE_INPUTS_AHEAD = 64;
// Fingerprints of the other machine kept while this one catches up.
static const size_t CHECKS_KEPT = 8;
// The lead over the other machine is kept in 1/256 frames, fine enough to smooth in integers.
static const int LEAD_UNITS = 256;

OnlineFight::OnlineFight(const Fight& start, FightRules rules, int localPlayer, int inputDelay)
    : rollback(start, rules, localPlayer, inputDelay) {}

// How far this machine's frame is past the other's last reported one.
int OnlineFight::advantage() const {
    return std::max(-100, std::min(100, rollback.frame() - remoteFrame));
}

// Each side sees the other late by the same trip, so half the difference of the two advantages
// is how far this machine really runs ahead. Waiting a frame now and then lets the other catch
// up, so that neither keeps guessing at the limit.
bool OnlineFight::shouldWait() {
    if (!rollback.canAdvance()) {
        return true;
    }
    // The other machine measured its advantage after running its frame: so is ours, to compare
    // like with like (one frame apart, two machines in step would look half a frame apart).
    int lead = (advantage() + 1 - remoteAdvantage) * LEAD_UNITS / 2;
    smoothedLead += (lead - smoothedLead) / 8;
    // A whole frame is never reached by the smoothing's rounding: three quarters will do.
    if (smoothedLead >= LEAD_UNITS * 3 / 4) {
        smoothedLead -= LEAD_UNITS;
        return true;
    }
    return false;
}

static PlayerInput heldTogether(PlayerInput held, PlayerInput input) {
    PlayerInput sign = (input & 0x0c) ? (input & 0x0c) : (held & 0x0c);
    return (PlayerInput)(((held | input) & ~0x0c) | sign);
}

RollbackRun OnlineFight::playFrame(PlayerInput input) {
    if (desync >= 0) {
        return RollbackRun();
    }
    held = holding ? heldTogether(held, input) : input;
    holding = true;
    if (shouldWait()) {
        waited++;
        return RollbackRun();
    }
    rollback.addLocalInput(held);
    holding = false;
    RollbackRun ran = rollback.advance();
    compareFingerprints();
    return ran;
}

int OnlineFight::lastCheckFrame() const {
    int final = rollback.lastFinalFrame();
    if (final < CHECK_INTERVAL - 1) {
        return -1;
    }
    return (final + 1) / CHECK_INTERVAL * CHECK_INTERVAL - 1;
}

std::vector<uint8_t> OnlineFight::inputsPacket() const {
    Packet p;
    p.kind = PACKET_INPUTS;
    p.firstFrame = remoteAck + 1;
    int last = std::min(rollback.lastLocalFrame(), p.firstFrame + MAX_INPUTS_PER_PACKET - 1);
    for (int f = p.firstFrame; f <= last; f++) {
        p.inputs.push_back(rollback.localInput(f));
    }
    p.ackFrame = rollback.lastRemoteFrame();
    p.senderFrame = rollback.frame();
    p.advantage = advantage();
    p.checkFrame = lastCheckFrame();
    p.checkFingerprint = p.checkFrame >= 0 ? rollback.fingerprintAfter(p.checkFrame) : 0;
    return encodePacket(p);
}

std::vector<uint8_t> OnlineFight::desyncPacket() const {
    Packet p;
    p.kind = PACKET_DESYNC;
    p.frame = std::max(desync, 0);
    return encodePacket(p);
}

void OnlineFight::takeInputs(const Packet& p) {
    // Nobody acknowledges inputs we never sent.
    if (p.ackFrame > rollback.lastLocalFrame()) {
        return;
    }
    remoteAck = std::max(remoteAck, p.ackFrame);
    // An old datagram come late (or played again) says nothing new of the other's pace.
    if (p.senderFrame >= remoteFrame) {
        remoteFrame = p.senderFrame;
        remoteAdvantage = std::max(-100, std::min(100, p.advantage));
    }
    int limit = rollback.frame() + REMOTE_INPUTS_AHEAD;
    for (size_t i = 0; i < p.inputs.size() && p.firstFrame + (int)i <= limit; i++) {
        rollback.addRemoteInput(p.firstFrame + (int)i, p.inputs[i]);
    }
    if (p.checkFrame >= 0 && (p.checkFrame + 1) % CHECK_INTERVAL == 0) {
        theirChecks[p.checkFrame] = p.checkFingerprint;
        while (theirChecks.size() > CHECKS_KEPT) {
            theirChecks.erase(theirChecks.begin());
        }
    }
}

void OnlineFight::receive(const uint8_t* data, size_t size) {
    Packet p;
    if (!decodePacket(data, size, p)) {
        return;
    }
    if (p.kind == PACKET_INPUTS) {
        takeInputs(p);
    } else if (p.kind == PACKET_DESYNC) {
        if (desync < 0) {
            desync = p.frame;
        }
    }
}

// A fingerprint is compared once this machine's frame is final too: both then ran it on the
// same inputs from the same state, and any difference means two different fights.
void OnlineFight::compareFingerprints() {
    int final = rollback.lastFinalFrame();
    while (!theirChecks.empty() && theirChecks.begin()->first <= final) {
        int frame = theirChecks.begin()->first;
        uint32_t theirs = theirChecks.begin()->second;
        theirChecks.erase(theirChecks.begin());
        compared++;
        if (rollback.fingerprintAfter(frame) != theirs && desync < 0) {
            desync = frame;
        }
    }
}
