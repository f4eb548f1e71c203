// The datagrams two machines exchange in an online fight, and their strict decoder: every
// datagram comes from a stranger until it has been read whole and found sound.
#ifndef VANTORIX_PACKET_H
#define VANTORIX_PACKET_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Raised whenever the layout or meaning of a datagram changes (2: the fingerprint covers the
// towers).
const int PROTOCOL_VERSION = 2;
// No datagram of ours is longer; anything longer is dropped unread.
const size_t MAX_PACKET_SIZE = 200;
// Inputs carried by one datagram at most: the unacknowledged ones, oldest first.
const int MAX_INPUTS_PER_PACKET = 64;
// Frame numbers above this are refused: a fight of a year at 60 frames a second stays below.
const uint32_t MAX_FRAME = 0x7fffffff;
const size_t MAX_VERSION_LENGTH = 32;

enum PacketKind {
    // The joiner's greeting, the host's acceptance and the joiner's reply to it (which lets
    // both measure the round trip), or the host's refusal, which names the host's version. The
    // reply's version and digest are not sent: it is the header alone.
    PACKET_HELLO = 1,
    PACKET_WELCOME = 2,
    PACKET_READY = 3,
    PACKET_REFUSE = 4,
    // Inputs, acknowledgement, pace and the last final fingerprint, every frame.
    PACKET_INPUTS = 5,
    // The fight went out of step at this frame.
    PACKET_DESYNC = 6,
};

// Why a greeting was refused.
enum RefusalReason {
    REFUSED_VERSION = 1,
    REFUSED_DATA = 2,
};

struct Packet {
    int kind = 0;
    // Greetings and refusals: the sender's game version and the digest of its data files.
    std::string gameVersion;
    uint32_t dataDigest = 0;
    int refusal = 0;
    // Inputs: the sender's inputs from firstFrame on, the last frame of the receiver's inputs it
    // holds (-1 for none), its own frame and how far it runs ahead, and the fingerprint of a
    // frame it holds final (checkFrame -1 for none yet).
    int firstFrame = 0;
    std::vector<uint8_t> inputs;
    int ackFrame = -1;
    int senderFrame = 0;
    int advantage = 0;
    int checkFrame = -1;
    uint32_t checkFingerprint = 0;
    // Desync: the frame whose fingerprints differ.
    int frame = 0;
};

std::vector<uint8_t> encodePacket(const Packet& packet);
// True and the packet filled when the bytes are exactly one well-formed datagram of this
// protocol version; false for anything else, which the caller drops.
bool decodePacket(const uint8_t* data, size_t size, Packet& packet);
// The protocol version a datagram of this game claims, or -1 when it is not one of ours: a
// greeting of another version is refused by name rather than dropped.
int claimedProtocolVersion(const uint8_t* data, size_t size);

#endif
