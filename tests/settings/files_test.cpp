// settings.ini on the disk: written whole and read back the same, a damaged file kept aside
// rather than lost, a failed write leaving the old file as it was, and the XDG folders.
#include <gtest/gtest.h>
#include <SDL/SDL_keysym.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "settings/settings.h"
#include "settings/settings_format.h"
#include "tests/support/files.h"

namespace {

namespace fs = std::filesystem;

Settings unusualSettings() {
    Settings s;
    s.fullscreen = true;
    s.windowWidth = 1920;
    s.windowHeight = 1080;
    s.keys[0][ACTION_LEFT] = SDLK_LSHIFT;
    s.keys[0][ACTION_ROCK] = SDLK_SEMICOLON;
    s.keys[1][ACTION_UP] = SDLK_KP8;
    s.keys[1][ACTION_PAPER] = SDLK_EQUALS;
    s.padButtons[1][2] = 31;
    s.webcam = false;
    s.camera = "/dev/v4l/by-id/usb-Cam #2 [front]";
    s.hands = 1;
    s.musicVolume = 0;
    s.effectsVolume = 55;
    s.recordFights = true;
    return s;
}

}  // namespace

TEST(SettingsFile, WhatIsWrittenReadsBackTheSameAndEveryKeyNameToo) {
    FreshFolder folder;
    std::string path = folder.path() + "/config/vantorix/settings.ini";
    std::string error;
    ASSERT_TRUE(writeSettings(path, unusualSettings(), false, error)) << error;
    SettingsProblems problems;
    EXPECT_EQ(readSettings(path, problems), unusualSettings());
    EXPECT_TRUE(problems.lines.empty()) << problems.lines.front();
    EXPECT_NE(readWholeFile(path).find("\n[player1]\nleft = left shift\n"), std::string::npos);
    EXPECT_EQ(fs::status(folder.path() + "/config").permissions(), fs::perms::owner_all);
    EXPECT_EQ(fs::directory_iterator(folder.path() + "/config/vantorix")->path(), path);
    SettingsProblems none;
    EXPECT_EQ(readSettings(folder.path() + "/missing.ini", none), Settings());
    EXPECT_TRUE(none.lines.empty() && !none.damaged);
    // The longest camera path the file holds reads back; one longer is not taken at all.
    Settings longPath;
    longPath.camera = "/dev/" + std::string(184, 'v');
    ASSERT_TRUE(writeSettings(path, longPath, false, error)) << error;
    EXPECT_EQ(readSettings(path, problems).camera, longPath.camera);
    EXPECT_TRUE(problems.lines.empty()) << problems.lines.front();
    EXPECT_FALSE(cameraValid(longPath.camera + "v"));
    // A file linked from a folder of dotfiles stays linked; the file it names, made or not, is written.
    fs::create_directory(folder.path() + "/dotfiles");
    writeWholeFile(folder.path() + "/dotfiles/made.ini", "");
    for (std::string name : {"made.ini", "new.ini"}) {
        fs::create_symlink("dotfiles/" + name, folder.path() + "/" + name);
        ASSERT_TRUE(writeSettings(folder.path() + "/" + name, unusualSettings(), true, error)) << error;
        EXPECT_TRUE(fs::is_symlink(folder.path() + "/" + name));
        EXPECT_EQ(readSettings(folder.path() + "/dotfiles/" + name, problems), unusualSettings());
    }

    for (int key = 0; key < SDLK_LAST; key++) {
        if (!keyName(key).empty()) {
            EXPECT_EQ(keyFromName(keyName(key)), key) << keyName(key);
        }
    }
    EXPECT_EQ(keyFromName("Right Shift"), SDLK_RSHIFT);
    for (int own : {SDLK_ESCAPE, SDLK_f, SDLK_g, SDLK_h, SDLK_F1, SDLK_F2, SDLK_F3, SDLK_F11}) {
        EXPECT_FALSE(keyBindable(own)) << keyName(own);
    }
}

TEST(SettingsFile, ADamagedFileIsReadAsDefaultsAndKeptBesideTheNextOne) {
    const std::string damages[] = {std::string("[window]\nwidth = 1024\n\x01\x7f\x00garbage", 24),
                                   "[window]\nwidth = 1024\nthis is not a setting\n", "a folder"};
    const std::string lines[] = {
        ":3: not text (it holds control characters), not a settings file",
        ":3: neither a [section] nor a name = value line, not a settings file",
        ": cannot be read: Is a directory"};
    for (int n = 0; n < 3; n++) {
        FreshFolder folder;
        std::string path = folder.path() + "/settings.ini";
        n < 2 ? writeWholeFile(path, damages[n]) : (void)fs::create_directory(path);
        SettingsProblems problems;
        EXPECT_EQ(readSettings(path, problems), Settings()) << damages[n];
        EXPECT_TRUE(problems.damaged);
        EXPECT_EQ(problems.lines, std::vector<std::string>{path + lines[n] +
                                                           "; all settings are at their defaults"});

        std::string error;
        ASSERT_TRUE(writeSettings(path, unusualSettings(), true, error)) << error;
        EXPECT_TRUE(n < 2 ? readWholeFile(path + ".bak") == damages[n]
                          : fs::is_directory(path + ".bak"));
        SettingsProblems again;
        EXPECT_EQ(readSettings(path, again), unusualSettings());
        EXPECT_TRUE(again.lines.empty() && !again.damaged);
    }
}

TEST(SettingsFile, AFailedWriteLeavesTheOldFileAsItWas) {
    FreshFolder folder;
    std::string path = folder.path() + "/settings.ini";
    writeWholeFile(path, "[sound]\nmusic = 10\n");
    std::string error;

    // A file size limit fails the write even for root, who writes in any folder.
    struct rlimit saved;
    getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit small = {16, saved.rlim_max};
    signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    bool written = writeSettings(path, unusualSettings(), true, error);
    setrlimit(RLIMIT_FSIZE, &saved);
    signal(SIGXFSZ, SIG_DFL);
    EXPECT_FALSE(written);
    EXPECT_EQ(error, "cannot write " + path + ": File too large");
    EXPECT_EQ(readWholeFile(path), "[sound]\nmusic = 10\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 1);

    EXPECT_FALSE(writeSettings(path + "/settings.ini", Settings(), false, error));
    EXPECT_EQ(error, "cannot write " + path + "/settings.ini: Not a directory");

    if (geteuid() != 0) {
        chmod(folder.path().c_str(), 0500);
        EXPECT_FALSE(writeSettings(path, unusualSettings(), true, error));
        EXPECT_EQ(error, "cannot write " + path + ": Permission denied");
        chmod(folder.path().c_str(), 0700);
        EXPECT_EQ(readWholeFile(path), "[sound]\nmusic = 10\n");
    }
}

TEST(SettingsFile, FoldersFollowTheXdgRules) {
    setenv("HOME", "/home/ann", 1);
    setenv("XDG_CONFIG_HOME", "/etc/ann", 1);
    setenv("XDG_DATA_HOME", "/srv/ann", 1);
    EXPECT_EQ(settingsPath(), "/etc/ann/vantorix/settings.ini");
    EXPECT_EQ(recordingsFolder(), "/srv/ann/vantorix/recordings");
    // Empty or relative values are ignored.
    setenv("XDG_CONFIG_HOME", "", 1);
    setenv("XDG_DATA_HOME", "relative/data", 1);
    EXPECT_EQ(settingsPath(), "/home/ann/.config/vantorix/settings.ini");
    EXPECT_EQ(recordingsFolder(), "/home/ann/.local/share/vantorix/recordings");
    unsetenv("HOME");
    std::string home = getpwuid(getuid())->pw_dir;
    EXPECT_EQ(settingsPath(), home + "/.config/vantorix/settings.ini");
}
