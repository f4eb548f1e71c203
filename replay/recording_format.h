// The bytes of a recording: its magic, record tags, numbers, packed frames and check sum.
#ifndef VANTORIX_RECORDING_FORMAT_H
#define VANTORIX_RECORDING_FORMAT_H

#include <cstdint>
#include <string>

#include "game/frame_inputs.h"

// The file begins with these eight bytes, then the version (2 bytes) and the spark seed (4).
extern const char RECORDING_MAGIC[8];
const size_t RECORDING_HEADER_SIZE = 14;

// Every record begins with its tag.
const char FRAME_TAG = 'F';        // two bytes of packed inputs
const char FINGERPRINT_TAG = 'P';  // frames so far, fingerprint, check sum of all bytes before
const char END_TAG = 'E';          // frames in all, check sum of all bytes before
const size_t FRAME_RECORD_SIZE = 3;
const size_t FINGERPRINT_RECORD_SIZE = 13;
const size_t END_RECORD_SIZE = 9;

// Little-endian numbers, the same on every machine.
void putNumber(std::string& out, uint32_t value, int bytes);
uint32_t getNumber(const std::string& in, size_t at, int bytes);

// A frame's inputs in two bytes: walking and sign of player 1 in the low nibble of the first,
// of player 2 in its high nibble, the tower keys in the low three bits of the second.
void packFrame(std::string& out, const FrameInputs& inputs);
// False when a bit the format does not use is set.
bool unpackFrame(const std::string& in, size_t at, FrameInputs& inputs);

// CRC-32 (the one of zip and PNG), continued from a previous value over more bytes.
uint32_t continueChecksum(uint32_t checksum, const char* data, size_t size);

#endif
