// The data files the loaders note for the online data check.
#include <gtest/gtest.h>

#include <algorithm>

#include "animation/bmp_surface.h"
#include "animation/data_files.h"
#include "animation/moves.h"
#include "net/data_digest.h"
#include "tests/support/data_dir.h"

TEST(DataFiles, WhatTheLoadersOpenedIsNotedAndAChangedByteOfItChangesTheDigest) {
    DataCopy data;
    ScopedWorkingDirectory inData(data.path());
    Moves moves;
    moves.loadMoves();
    SDL_FreeSurface(loadBgr24Surface("pierre.bmp"));
    std::vector<std::string> opened = dataFilesOpened();
    for (const char* name : {"Punch00.txt", "Banana02.txt", "Ayuken03.txt", "pierre.bmp"}) {
        EXPECT_NE(std::find(opened.begin(), opened.end(), name), opened.end()) << name;
    }
    uint32_t digest = dataFilesDigest(opened);
    EXPECT_EQ(digest, dataFilesDigest(opened));
    for (const char* name : {"Banana02.txt", "pierre.bmp"}) {
        std::string bytes = readWholeFile(name);
        std::string changed = bytes;
        changed[changed.size() / 2] ^= 1;
        data.writeFile(name, changed);
        EXPECT_NE(dataFilesDigest(opened), digest) << name;
        data.writeFile(name, bytes);
    }
    EXPECT_EQ(dataFilesDigest(opened), digest);
}
