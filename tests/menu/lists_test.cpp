// The watch screen's recordings, newest first, and the host screen's addresses.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "menu/local_addresses.h"
#include "menu/menu.h"
#include "menu/recordings_list.h"

static void writeAt(const std::string& path, time_t seconds) {
    std::FILE* file = std::fopen(path.c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    struct timespec times[2] = {{seconds, 0}, {seconds, 0}};
    utimensat(AT_FDCWD, path.c_str(), times, 0);
}

TEST(Lists, RecordingsNewestFirstAndWatched) {
    char pattern[] = "/tmp/vantorix-recordings-XXXXXX";
    std::string folder = mkdtemp(pattern);
    writeAt(folder + "/old.vxr", 1000);
    writeAt(folder + "/new.vxr", 3000);
    writeAt(folder + "/middle.vxr", 2000);
    writeAt(folder + "/notes.txt", 4000);
    mkdir((folder + "/folder.vxr").c_str(), 0700);
    std::vector<std::string> found = listRecordings(folder);
    std::vector<std::string> expected = {folder + "/new.vxr", folder + "/middle.vxr", folder + "/old.vxr"};
    EXPECT_EQ(found, expected);
    EXPECT_TRUE(listRecordings(folder + "/missing").empty());

    Menu menu{Settings()};
    menu.setRecordings(found);
    MenuEvent down;
    down.kind = MENU_DOWN;
    for (int k = 0; k < 4; k++) {
        menu.handle(down);
    }
    MenuEvent accept;
    accept.kind = MENU_ACCEPT;
    menu.handle(accept);
    ASSERT_EQ(menu.screen(), SCREEN_WATCH);
    EXPECT_EQ(menu.page().items[0].label, "new");
    menu.handle(down);
    EXPECT_EQ(menu.handle(accept).file, folder + "/middle.vxr");
    menu.setRecordings({});
    EXPECT_EQ(menu.page().items[0].label, "No recordings yet");
    std::system(("rm -rf " + folder).c_str());
}

TEST(Lists, AddressesLeaveLoopbackOutAndPutIpv4First) {
    bool seenSix = false;
    for (const std::string& address : localAddresses()) {
        EXPECT_NE(address, "127.0.0.1");
        EXPECT_NE(address, "::1");
        EXPECT_NE(address.rfind("fe80", 0), 0u) << address;
        bool six = address.find(':') != std::string::npos;
        EXPECT_FALSE(seenSix && !six) << address << " after an IPv6 address";
        seenSix = seenSix || six;
    }
}
