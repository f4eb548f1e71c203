// The Debian package on this machine as a player has it: installed with apt, started by its command, purged without a trace.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "tests/support/contract.h"
#include "tests/support/program.h"
#include "tests/support/running_game.h"

static const int APT_TIMEOUT_MS = 300000;
static const std::string COMMAND = "/usr/games/vantorix";

// What a player's session finds on PATH on Debian, /usr/games included.
static const char* PLAYER_PATH = "PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games";

static int apt(const std::vector<std::string>& arguments, std::string& log) {
    std::vector<std::string> line = {"/usr/bin/apt-get", "-y", "-q"};
    line.insert(line.end(), arguments.begin(), arguments.end());
    RunningProgram run(Launch{line, "/", {"DEBIAN_FRONTEND=noninteractive"}});
    int status = run.waitForExit(APT_TIMEOUT_MS);
    log = run.output() + run.errors();
    return status;
}

static std::string packageState() {
    return commandOutput("dpkg-query -W -f='${Status} ${Version}' vantorix 2>/dev/null");
}

// One test, in the order a player lives it: the steps share one installation, and dpkg takes
// one installation at a time.
TEST(DebianPackage, InstallsWithAptRunsFromAnyFolderAndPurgesWithoutATrace) {
    const char* package = std::getenv("VANTORIX_PACKAGE");
    if (package == nullptr || *package != '/') {
        GTEST_SKIP() << "VANTORIX_PACKAGE names no package by its full path; tools/test.sh builds "
                        "one with tools/package.sh and sets it";
    }
    if (geteuid() != 0) {
        GTEST_SKIP() << "installing a package needs root; continuous integration runs this as root";
    }
    std::string log;
    ASSERT_EQ(apt({"install", package}, log), 0) << log;
    ASSERT_EQ(packageState(), std::string("install ok installed ") + VANTORIX_VERSION);
    std::string listed = commandOutput("dpkg-query -L vantorix") + "\n";

    for (const char* file : {"/usr/share/games/vantorix/Punch00.txt", "/usr/lib/games/vantorix/vantorix",
                             "/usr/share/applications/vantorix.desktop", "/usr/share/man/man6/vantorix.6.gz",
                             "/usr/share/icons/hicolor/48x48/apps/vantorix.png",
                             "/usr/share/metainfo/org.vantorix.Vantorix.metainfo.xml",
                             "/usr/share/doc/vantorix/copyright"}) {
        EXPECT_EQ(occurrences(listed, std::string(file) + "\n"), 1) << file;
    }

    // The view window asks fontconfig for "Impact"; whichever face stands in must come with the game.
    std::string face = commandOutput("fc-match -f '%{file}' Impact");
    std::string facePackage = commandOutput("dpkg-query -S '" + face + "' | cut -d: -f1 | head -n 1");
    EXPECT_NE(facePackage, "") << face;
    EXPECT_NE(commandOutput("dpkg-query -W -f='${Depends}' vantorix").find(facePackage), std::string::npos)
        << face << " of " << facePackage;

    FreshFolder elsewhere;
    RunningProgram help(Launch{{"/bin/sh", "-c", "vantorix --help"}, elsewhere.path(), {PLAYER_PATH}});
    EXPECT_EQ(help.waitForExit(EXIT_TIMEOUT_MS), 0) << help.errors();
    EXPECT_EQ(help.output().rfind(USAGE_START, 0), 0u) << help.output();
    EXPECT_NE(help.output().find(std::string("\nVantorix ") + VANTORIX_VERSION + "\n"), std::string::npos)
        << help.output();

    RunningProgram game(Launch{{COMMAND}, elsewhere.path(), {}});
    expectBothWindowsThenCleanEnd(game);

    ASSERT_EQ(apt({"purge", "vantorix"}, log), 0) << log;
    EXPECT_EQ(packageState().find("installed "), std::string::npos) << packageState();
    // What stays of the listed paths may only be folders that other packages own too.
    FreshFolder notes;
    writeWholeFile(notes.path() + "/listed", listed);
    std::string left = commandOutput(
        "while read -r path; do [ -e \"$path\" ] && [ \"$path\" != /. ] || continue;"
        " if [ -d \"$path\" ] && dpkg-query -S \"$path\" >/dev/null 2>&1; then continue; fi;"
        " echo \"$path\"; done < '" + notes.path() + "/listed'");
    EXPECT_EQ(left, "");
}
