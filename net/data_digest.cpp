// The digest of the game's data files, read from the working directory.
#include "net/data_digest.h"

#include <cstdio>

#include "rules/digest.h"

uint32_t dataFilesDigest(const std::vector<std::string>& names) {
    Digest digest;
    for (const std::string& name : names) {
        digest.add(name.data(), name.size());
        FILE* file = std::fopen(name.c_str(), "rb");
        const unsigned char present = file == nullptr ? 0 : 1;
        digest.add(&present, 1);
        if (file == nullptr) {
            continue;
        }
        unsigned char buffer[65536];
        size_t got;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            digest.add(buffer, got);
        }
        std::fclose(file);
    }
    return digest.hash;
}
