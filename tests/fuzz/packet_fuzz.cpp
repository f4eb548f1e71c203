// Fuzz target: any bytes arriving as a datagram from the other machine of an online fight.
#include <cstdint>
#include <vector>

#include "net/online_fight.h"
#include "net/packet.h"
#include "tests/fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Packet packet;
    if (decodePacket(data, size, packet)) {
        // What was read whole is written back byte for byte: nothing was guessed or skipped.
        std::vector<uint8_t> again = encodePacket(packet);
        if (again != std::vector<uint8_t>(data, data + size)) {
            fuzz::fail("a datagram decoded and encoded again came out different");
        }
    }
    // The fight side takes it as it would during a fight, before and after inputs of its own.
    OnlineFight side(startingFight(), stepFight, 2, 2);
    side.receive(data, size);
    side.inputsPacket();
    return 0;
}
