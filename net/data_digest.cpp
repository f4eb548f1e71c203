// The digest of the game's data files, read from the working directory.
#include "net/data_digest.h"

#include <cstdio>
#include <cstring>

#include "rules/digest.h"

static const char* const DATA_FILES[] = {
    "Punch00.txt",     "Punch01.txt",     "Punch02.txt",     "Punch03.txt",     "Punch04.txt",
    "HeadPunch01.txt", "HeadPunch02.txt", "HeadPunch03.txt", "HeadPunch04.txt", "HeadPunch05.txt",
    "ComboPrep01.txt", "ComboPrep02.txt", "Banana01.txt",    "Banana02.txt",    "Banana03.txt",
    "Ayuken01.txt",    "Ayuken02.txt",    "Ayuken03.txt",    "CPLifeSM.bmp",    "CPLifeRS.bmp",
    "pierre.bmp",      "feuille.bmp",     "ciseaux.bmp",     "chiffou.bmp",     "mi.bmp",
    "paf.bmp",         "critical.bmp",    "prwin.bmp",       "pawin.bmp",       "win.bmp",
    "earthmap1k.bmp",  "sun.bmp",         "croix.bmp",       "halo.bmp",        "explosion.wav",
    "sound.wav",       "music.ogg"};

uint32_t dataFilesDigest() {
    Digest digest;
    for (const char* name : DATA_FILES) {
        digest.add(name, std::strlen(name));
        FILE* file = std::fopen(name, "rb");
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
