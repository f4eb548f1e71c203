// The data-fault table: which file of data/ is damaged, and how.
#include "tests/e2e_faults/data_faults.h"

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

const std::vector<std::string>& filesOf(FileGroup group) {
    static const std::vector<std::string> motion = {
        "Punch00.txt",     "Punch01.txt",     "Punch02.txt",     "Punch03.txt",
        "Punch04.txt",     "HeadPunch01.txt", "HeadPunch02.txt", "HeadPunch03.txt",
        "HeadPunch04.txt", "HeadPunch05.txt", "ComboPrep01.txt", "ComboPrep02.txt",
        "Banana01.txt",    "Banana02.txt",    "Banana03.txt",    "Ayuken01.txt",
        "Ayuken02.txt",    "Ayuken03.txt"};
    static const std::vector<std::string> textures = {
        "CPLifeSM.bmp", "CPLifeRS.bmp", "pierre.bmp",     "feuille.bmp",
        "ciseaux.bmp",  "chiffou.bmp",  "mi.bmp",         "paf.bmp",
        "critical.bmp", "prwin.bmp",    "pawin.bmp",      "win.bmp",
        "earthmap1k.bmp", "sun.bmp",    "croix.bmp",      "halo.bmp"};
    static const std::vector<std::string> effects = {"explosion.wav", "sound.wav"};
    static const std::vector<std::string> music = {"music.ogg"};
    switch (group) {
    case GROUP_MOTION: return motion;
    case GROUP_TEXTURE: return textures;
    case GROUP_EFFECT: return effects;
    case GROUP_MUSIC: break;
    }
    return music;
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
