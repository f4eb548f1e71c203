// The installed game: cmake --install into a folder of its own, the files in their places, the desktop entry, and the launcher started from anywhere.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "tests/support/program.h"
#include "tests/support/running_game.h"

static const int INSTALL_TIMEOUT_MS = 120000;
static const int ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

static bool isExecutableFile(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && (info.st_mode & S_IXUSR);
}

static long fileSize(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? (long)info.st_size : -1;
}

static std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

// One installation of this build for the whole suite.
class Installed : public ::testing::Test {
protected:
    static FreshFolder* folder;
    static std::string prefix;
    static std::string installLog;
    static int installStatus;

    static void SetUpTestSuite() {
        folder = new FreshFolder();
        prefix = folder->path() + "/prefix";
        RunningProgram install(
            Launch{{VANTORIX_CMAKE_COMMAND, "--install", VANTORIX_BUILD_DIR, "--prefix", prefix}, folder->path(), {}});
        installStatus = install.waitForExit(INSTALL_TIMEOUT_MS);
        installLog = install.output() + install.errors();
    }

    static void TearDownTestSuite() {
        delete folder;
        folder = nullptr;
    }

    void SetUp() override { ASSERT_EQ(installStatus, 0) << installLog; }
};

FreshFolder* Installed::folder = nullptr;
std::string Installed::prefix;
std::string Installed::installLog;
int Installed::installStatus = -1;

TEST_F(Installed, LauncherProgramAndEveryDataFileAreInPlace) {
    EXPECT_TRUE(isExecutableFile(prefix + "/bin/vantorix"));
    EXPECT_TRUE(isExecutableFile(prefix + "/libexec/vantorix/vantorix"));
    EXPECT_TRUE(isExecutableFile(prefix + "/libexec/vantorix/start_game.sh"));
    std::string names = commandOutput("cd " + shellQuoted(std::string(VANTORIX_SOURCE_DIR) + "/data") +
                                      " && ls | grep -v '^README.md$'");
    std::vector<std::string> files = linesOf(names);
    EXPECT_GE(files.size(), 37u) << names;
    for (const std::string& name : files) {
        EXPECT_EQ(fileSize(prefix + "/share/vantorix/" + name),
                  fileSize(std::string(VANTORIX_SOURCE_DIR) + "/data/" + name))
            << name;
    }
    EXPECT_EQ(fileSize(prefix + "/share/vantorix/README.md"), -1) << "the data notes belong with the docs";
    EXPECT_GT(fileSize(prefix + "/share/doc/vantorix/data/README.md"), 0);
    EXPECT_GT(fileSize(prefix + "/share/doc/vantorix/README.md"), 0);
    EXPECT_GT(fileSize(prefix + "/share/man/man6/vantorix.6"), 0);
    EXPECT_GT(fileSize(prefix + "/share/metainfo/org.vantorix.Vantorix.metainfo.xml"), 0);
}

TEST_F(Installed, DesktopEntryAndIconsAreThereAndValid) {
    std::string entry = prefix + "/share/applications/vantorix.desktop";
    std::string text = readWholeFile(entry);
    EXPECT_NE(text.find("\nExec=vantorix --menu\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nIcon=vantorix\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\nCategories=Game;ActionGame;\n"), std::string::npos) << text;
    for (int size : ICON_SIZES) {
        std::string icon = prefix + "/share/icons/hicolor/" + std::to_string(size) + "x" +
                           std::to_string(size) + "/apps/vantorix.png";
        EXPECT_EQ(commandOutput("identify -format '%m %w %h' " + shellQuoted(icon) + " 2>&1"),
                  "PNG " + std::to_string(size) + " " + std::to_string(size));
    }
    if (commandOutput("command -v desktop-file-validate").empty()) {
        GTEST_SKIP() << "desktop-file-validate (desktop-file-utils) is not installed";
    }
    std::string verdict = commandOutput("desktop-file-validate " + shellQuoted(entry) + " 2>&1; echo status=$?");
    EXPECT_EQ(verdict, "status=0");
}

TEST_F(Installed, LauncherStartsBothWindowsFromAnUnrelatedFolderAndEndsCleanly) {
    FreshFolder elsewhere;
    RunningProgram run(Launch{{prefix + "/bin/vantorix"}, elsewhere.path(), {}});
    expectBothWindowsThenCleanEnd(run);
    EXPECT_EQ(occurrences(run.errors(), "Unable to"), 0) << run.errors();
}

// The installation moved whole, reached through a link, with a stand-in for the game program.
TEST_F(Installed, MovedLauncherFindsItsPlacesAndPassesEveryOptionOn) {
    FreshFolder elsewhere;
    std::string moved = elsewhere.path() + "/moved";
    ASSERT_EQ(std::system(("cp -a " + shellQuoted(prefix) + " " + shellQuoted(moved)).c_str()), 0);
    writeWholeFile(moved + "/libexec/vantorix/vantorix",
                   "#!/bin/sh\npwd\nprintf '[%s]' \"$@\"\necho\n", true);
    std::string link = elsewhere.path() + "/play-vantorix";
    ASSERT_EQ(std::system(("ln -s " + shellQuoted(moved + "/bin/vantorix") + " " + shellQuoted(link)).c_str()), 0);
    RunningProgram run(Launch{{link, "--camera", "/dev/video2", "with space", ""}, elsewhere.path(), {}});
    EXPECT_EQ(run.waitForExit(EXIT_TIMEOUT_MS), 0) << run.errors();
    EXPECT_EQ(run.output(), moved + "/share/vantorix\n[--camera][/dev/video2][with space][]\n");
    EXPECT_EQ(run.errors(), "");
}
