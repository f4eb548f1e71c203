// The bytes of a recording: its magic, numbers, packed frames and check sum.
#include "replay/recording_format.h"

const char RECORDING_MAGIC[8] = {'V', 'T', 'X', 'F', 'I', 'G', 'H', 'T'};

void putNumber(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; i++) {
        out.push_back((char)((value >> (8 * i)) & 0xff));
    }
}

uint32_t getNumber(const std::string& in, size_t at, int bytes) {
    uint32_t value = 0;
    for (int i = 0; i < bytes; i++) {
        value |= (uint32_t)(unsigned char)in[at + i] << (8 * i);
    }
    return value;
}

// Each player's byte without its tower keys is its low nibble.
void packFrame(std::string& out, const FrameInputs& inputs) {
    int first = (playerShare(inputs, 1) & 15) | (playerShare(inputs, 2) & 15) << 4;
    out.push_back(FRAME_TAG);
    out.push_back((char)first);
    out.push_back((char)(inputs.towerKeys & 7));
}

bool unpackFrame(const std::string& in, size_t at, FrameInputs& inputs) {
    int first = (unsigned char)in[at];
    int second = (unsigned char)in[at + 1];
    inputs = combineInputs((PlayerInput)(first & 15), (PlayerInput)(first >> 4));
    inputs.towerKeys = second;
    return (second & ~7) == 0;
}

uint32_t continueChecksum(uint32_t checksum, const char* data, size_t size) {
    uint32_t crc = ~checksum;
    for (size_t i = 0; i < size; i++) {
        crc ^= (unsigned char)data[i];
        for (int bit = 0; bit < 8; bit++) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
        }
    }
    return ~crc;
}
