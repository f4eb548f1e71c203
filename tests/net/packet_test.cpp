// The datagram decoder takes exactly what the encoder writes and refuses everything else.
#include <gtest/gtest.h>

#include <vector>

#include "net/packet.h"

namespace {

Packet inputsPacket() {
    Packet p;
    p.kind = PACKET_INPUTS;
    p.firstFrame = 120;
    p.inputs = {0, 1, 2, 0x7f, 0x4c};
    p.ackFrame = 118;
    p.senderFrame = 123;
    p.advantage = -3;
    p.checkFrame = 59;
    p.checkFingerprint = 0xdeadbeef;
    return p;
}

Packet greeting() {
    Packet p;
    p.kind = PACKET_HELLO;
    p.gameVersion = "1.0";
    p.dataDigest = 0x01020304;
    return p;
}

bool decodes(const std::vector<uint8_t>& bytes) {
    Packet ignored;
    return decodePacket(bytes.data(), bytes.size(), ignored);
}

}  // namespace

TEST(Packet, EveryKindComesBackAsItWasSent) {
    Packet in = inputsPacket();
    std::vector<uint8_t> bytes = encodePacket(in);
    Packet out;
    ASSERT_TRUE(decodePacket(bytes.data(), bytes.size(), out));
    EXPECT_EQ(in.inputs, out.inputs);
    EXPECT_EQ(120, out.firstFrame);
    EXPECT_EQ(118, out.ackFrame);
    EXPECT_EQ(123, out.senderFrame);
    EXPECT_EQ(-3, out.advantage);
    EXPECT_EQ(59, out.checkFrame);
    EXPECT_EQ(0xdeadbeefu, out.checkFingerprint);

    Packet none = inputsPacket();
    none.ackFrame = -1;
    none.checkFrame = -1;
    bytes = encodePacket(none);
    ASSERT_TRUE(decodePacket(bytes.data(), bytes.size(), out));
    EXPECT_EQ(-1, out.ackFrame);
    EXPECT_EQ(-1, out.checkFrame);

    bytes = encodePacket(greeting());
    ASSERT_TRUE(decodePacket(bytes.data(), bytes.size(), out));
    EXPECT_EQ("1.0", out.gameVersion);
    EXPECT_EQ(0x01020304u, out.dataDigest);
    EXPECT_EQ(PROTOCOL_VERSION, claimedProtocolVersion(bytes.data(), bytes.size()));
}

TEST(Packet, TruncatedPaddedOversizedOrMeaninglessDatagramsAreRefused) {
    for (const Packet& p : {inputsPacket(), greeting()}) {
        std::vector<uint8_t> bytes = encodePacket(p);
        for (size_t size = 0; size < bytes.size(); size++) {
            Packet out;
            EXPECT_FALSE(decodePacket(bytes.data(), size, out)) << "cut at " << size;
        }
        std::vector<uint8_t> padded = bytes;
        padded.push_back(0);
        EXPECT_FALSE(decodes(padded));
    }
    std::vector<uint8_t> huge(MAX_PACKET_SIZE + 1, 'V');
    EXPECT_FALSE(decodes(huge));

    std::vector<uint8_t> bytes = encodePacket(inputsPacket());
    ASSERT_GE(bytes.size(), 4u);
    std::vector<uint8_t> badInput(bytes.begin(), bytes.end() - 1);
    badInput.push_back(0x80);
    EXPECT_FALSE(decodes(badInput)) << "an input no player can make";
    std::vector<uint8_t> otherVersion = bytes;
    otherVersion[2] = PROTOCOL_VERSION + 1;
    EXPECT_FALSE(decodes(otherVersion));
    EXPECT_EQ(PROTOCOL_VERSION + 1, claimedProtocolVersion(otherVersion.data(), otherVersion.size()));
    std::vector<uint8_t> unknownKind = bytes;
    unknownKind[3] = 99;
    EXPECT_FALSE(decodes(unknownKind));

    Packet tooMany = inputsPacket();
    tooMany.inputs.assign(MAX_INPUTS_PER_PACKET + 1, 0);
    EXPECT_FALSE(decodes(encodePacket(tooMany)));
    Packet pastTheEnd = inputsPacket();
    pastTheEnd.firstFrame = (int)MAX_FRAME - 3;
    EXPECT_FALSE(decodes(encodePacket(pastTheEnd))) << "frames that run past the last one";
    Packet badName = greeting();
    badName.gameVersion = "1.0\n";
    EXPECT_FALSE(decodes(encodePacket(badName)));
}
