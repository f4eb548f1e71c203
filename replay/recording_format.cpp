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

static int packPlayer(int left, int right, int sign) {
    return (left != 0 ? 1 : 0) | (right != 0 ? 2 : 0) | ((sign & 3) << 2);
}

void packFrame(std::string& out, const FrameInputs& inputs) {
    int first = packPlayer(inputs.left1, inputs.right1, inputs.sign1) |
                packPlayer(inputs.left2, inputs.right2, inputs.sign2) << 4;
    out.push_back(FRAME_TAG);
    out.push_back((char)first);
    out.push_back((char)(inputs.towerKeys & 7));
}

bool unpackFrame(const std::string& in, size_t at, FrameInputs& inputs) {
    int first = (unsigned char)in[at];
    int second = (unsigned char)in[at + 1];
    inputs.left1 = first & 1;
    inputs.right1 = (first >> 1) & 1;
    inputs.sign1 = (first >> 2) & 3;
    inputs.left2 = (first >> 4) & 1;
    inputs.right2 = (first >> 5) & 1;
    inputs.sign2 = (first >> 6) & 3;
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
