// A running FNV-1a digest: stable across runs and machines of the same byte order, for the
// fight's fingerprint and the data files' digest that two machines compare.
#ifndef VANTORIX_DIGEST_H
#define VANTORIX_DIGEST_H

#include <cstddef>
#include <cstdint>
#include <cstring>

struct Digest {
    uint32_t hash = 2166136261u;

    void add(const void* data, size_t size) {
        const unsigned char* bytes = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; i++) {
            hash = (hash ^ bytes[i]) * 16777619u;
        }
    }
    void add(int value) { add(&value, sizeof value); }
    void add(float value) {
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        add(&bits, sizeof bits);
    }
};

#endif
