// Writing and strictly reading the online fight's datagrams (big-endian, length-checked).
#include "net/packet.h"

#include "rules/frame_inputs.h"

static const uint8_t MAGIC_0 = 'V';
static const uint8_t MAGIC_1 = 'X';

namespace {

struct Writer {
    std::vector<uint8_t> bytes;
    void u8(int value) { bytes.push_back((uint8_t)value); }
    void u32(uint32_t value) {
        for (int shift = 24; shift >= 0; shift -= 8) {
            bytes.push_back((uint8_t)(value >> shift));
        }
    }
    // Frames and acknowledgements travel as value + 1, so that -1 is 0.
    void frame(int value) { u32((uint32_t)(value + 1)); }
    void greeting(const Packet& p) {
        u32(p.dataDigest);
        u8((int)p.gameVersion.size());
        bytes.insert(bytes.end(), p.gameVersion.begin(), p.gameVersion.end());
    }
};

// Every read checks the bytes left; one failed read fails the whole datagram.
struct Reader {
    const uint8_t* data;
    size_t size;
    size_t at = 0;
    bool good = true;

    int u8() {
        if (at + 1 > size) {
            good = false;
            return 0;
        }
        return data[at++];
    }
    uint32_t u32() {
        uint32_t value = 0;
        for (int i = 0; i < 4; i++) {
            value = (value << 8) | (uint32_t)u8();
        }
        return value;
    }
    int frame() {
        uint32_t value = u32();
        if (value > MAX_FRAME) {
            good = false;
            return 0;
        }
        return (int)value - 1;
    }
    bool finished() const { return good && at == size; }
};

}  // namespace

std::vector<uint8_t> encodePacket(const Packet& p) {
    Writer w;
    w.u8(MAGIC_0);
    w.u8(MAGIC_1);
    w.u8(PROTOCOL_VERSION);
    w.u8(p.kind);
    switch (p.kind) {
    case PACKET_HELLO:
    case PACKET_WELCOME:
        w.greeting(p);
        break;
    case PACKET_REFUSE:
        w.greeting(p);
        w.u8(p.refusal);
        break;
    case PACKET_INPUTS:
        w.frame(p.ackFrame);
        w.frame(p.senderFrame);
        w.u8(p.advantage + 128);
        w.frame(p.checkFrame);
        w.u32(p.checkFingerprint);
        w.frame(p.firstFrame);
        w.u8((int)p.inputs.size());
        w.bytes.insert(w.bytes.end(), p.inputs.begin(), p.inputs.end());
        break;
    case PACKET_DESYNC:
        w.frame(p.frame);
        break;
    default:
        break;
    }
    return w.bytes;
}

static bool readGreeting(Reader& r, Packet& p) {
    p.dataDigest = r.u32();
    size_t length = (size_t)r.u8();
    if (!r.good || length > MAX_VERSION_LENGTH || r.at + length > r.size) {
        return false;
    }
    p.gameVersion.assign((const char*)r.data + r.at, length);
    r.at += length;
    for (char c : p.gameVersion) {
        if (c < ' ' || c > '~') {
            return false;
        }
    }
    return true;
}

static bool readInputs(Reader& r, Packet& p) {
    p.ackFrame = r.frame();
    p.senderFrame = r.frame();
    p.advantage = r.u8() - 128;
    p.checkFrame = r.frame();
    p.checkFingerprint = r.u32();
    p.firstFrame = r.frame();
    int count = r.u8();
    if (!r.good || p.firstFrame < 0 || p.senderFrame < 0 || count > MAX_INPUTS_PER_PACKET ||
        r.at + (size_t)count > r.size || (uint32_t)p.firstFrame + (uint32_t)count > MAX_FRAME) {
        return false;
    }
    p.inputs.assign(r.data + r.at, r.data + r.at + count);
    r.at += count;
    for (uint8_t input : p.inputs) {
        if (!isPlayerInput(input)) {
            return false;
        }
    }
    return true;
}

bool decodePacket(const uint8_t* data, size_t size, Packet& p) {
    p = Packet();
    if (data == nullptr || size < 4 || size > MAX_PACKET_SIZE) {
        return false;
    }
    Reader r{data, size};
    if (r.u8() != MAGIC_0 || r.u8() != MAGIC_1 || r.u8() != PROTOCOL_VERSION) {
        return false;
    }
    p.kind = r.u8();
    bool sound = false;
    switch (p.kind) {
    case PACKET_HELLO:
    case PACKET_WELCOME:
        sound = readGreeting(r, p);
        break;
    case PACKET_READY:
        sound = true;
        break;
    case PACKET_REFUSE:
        sound = readGreeting(r, p);
        p.refusal = r.u8();
        sound = sound && (p.refusal == REFUSED_VERSION || p.refusal == REFUSED_DATA);
        break;
    case PACKET_INPUTS:
        sound = readInputs(r, p);
        break;
    case PACKET_DESYNC:
        p.frame = r.frame();
        sound = p.frame >= 0;
        break;
    default:
        break;
    }
    return sound && r.finished();
}

int claimedProtocolVersion(const uint8_t* data, size_t size) {
    if (data == nullptr || size < 4 || data[0] != MAGIC_0 || data[1] != MAGIC_1) {
        return -1;
    }
    return data[2];
}
