// The data-fault table: which file of data/ is damaged, and how.
#include "tests/e2e_faults/data_faults.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

const char* faultKindName(FaultKind kind) {
    switch (kind) {
    case FAULT_MISSING: return "Missing";
    case FAULT_EMPTY: return "Empty";
    case FAULT_HALF: return "Half";
    case FAULT_RANDOM: return "Random";
    }
    return "?";
}

const char* fileGroupName(FileGroup group) {
    switch (group) {
    case GROUP_MOTION: return "MotionFiles";
    case GROUP_TEXTURE: return "Pictures";
    case GROUP_EFFECT: return "Effects";
    case GROUP_MUSIC: return "Music";
    }
    return "?";
}

static const char* extensionOf(FileGroup group) {
    switch (group) {
    case GROUP_MOTION: return ".txt";
    case GROUP_TEXTURE: return ".bmp";
    case GROUP_EFFECT: return ".wav";
    case GROUP_MUSIC: break;
    }
    return ".ogg";
}

std::vector<std::string> filesOf(FileGroup group) {
    std::vector<std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(dataDirectory())) {
        if (entry.path().extension() == extensionOf(group)) {
            files.push_back(entry.path().filename().string());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

static std::string originalBytes(const std::string& file) {
    std::ifstream in(fs::path(dataDirectory()) / file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

static std::string randomBytes(size_t count) {
    std::mt19937 generator(20240611u);
    std::string bytes(count, '\0');
    for (char& byte : bytes) {
        byte = (char)(generator() & 0xFF);
    }
    return bytes;
}

void applyFault(const DataCopy& data, const std::string& file, FaultKind kind) {
    std::string original = originalBytes(file);
    switch (kind) {
    case FAULT_MISSING: fs::remove(fs::path(data.path()) / file); break;
    case FAULT_EMPTY: data.writeFile(file, std::string()); break;
    case FAULT_HALF: data.writeFile(file, original.substr(0, original.size() / 2)); break;
    case FAULT_RANDOM: data.writeFile(file, randomBytes(original.size())); break;
    }
}
