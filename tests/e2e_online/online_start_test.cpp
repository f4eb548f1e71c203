// How an online fight fails to start or ends early: a busy port, an unknown name, a host that
// does not answer, a joiner of another version or a game with other data files, and a game that
// vanishes mid-fight.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "net/online_session.h"
#include "tests/e2e_online/delay_relay.h"
#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"

namespace {

// Errors of a game that should end at once with status 1.
std::string endsWithOne(const std::vector<std::string>& arguments, int timeoutMs) {
    DataCopy data;
    RunningProgram game(data.path(), {}, arguments);
    EXPECT_EQ(game.waitForExit(timeoutMs), 1) << game.errors();
    return game.errors();
}

MeetingPlan joinerPlan(int port, const std::string& version, uint32_t digest) {
    MeetingPlan plan;
    plan.hostName = "127.0.0.1";
    plan.port = port;
    plan.gameVersion = version;
    plan.dataDigest = digest;
    return plan;
}

}  // namespace

TEST(OnlineStart, BusyPortUnknownNameAndSilentHostEachSayItAndEndWithStatusOne) {
    int busy = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    int port = freeUdpPort();
    address.sin_port = htons((uint16_t)port);
    ASSERT_EQ(bind(busy, (sockaddr*)&address, sizeof address), 0);
    EXPECT_EQ(endsWithOne({"--host", std::to_string(port), "--no-upnp"}, 10000),
              "Vantorix: cannot listen on port " + std::to_string(port) +
                  ": it is in use by another program (choose another with --host PORT)\n");
    close(busy);

    EXPECT_EQ(endsWithOne({"--join", "no-such-host.invalid"}, 30000),
              "Vantorix: cannot find the host \"no-such-host.invalid\": the name does not resolve\n");

    std::string silent = "127.0.0.1:" + std::to_string(freeUdpPort());
    std::string errors = endsWithOne({"--join", silent}, 40000);
    EXPECT_NE(errors.find("Vantorix: the host " + silent + " did not answer within 10 s\n"),
              std::string::npos) << errors;
}

TEST(OnlineStart, AHostStillWaitingQuitsWhenItsViewWindowIsClosed) {
    DataCopy data;
    RunningProgram host(data.path(), {}, {"--host", std::to_string(freeUdpPort()), "--no-upnp"});
    ASSERT_GE(host.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << host.errors();
    host.closeWindow(host.waitForWindow(VIEW_WINDOW));
    EXPECT_EQ(host.waitForExit(EXIT_TIMEOUT_MS), 0) << host.errors();
    EXPECT_EQ(occurrences(host.output(), QUIT_LINE), 1) << host.output();
}

TEST(OnlineStart, JoinersOfAnotherVersionOrDataAreRefusedByNameAndAVanishedOneIsNoticed) {
    DataCopy data;
    int port = freeUdpPort();
    RunningProgram host(data.path(), {}, {"--host", std::to_string(port), "--no-upnp"});
    ASSERT_GE(host.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << host.errors();
    std::string hostVersion = VANTORIX_VERSION;
    std::string error;
    std::string joining = "127.0.0.1:" + std::to_string(port);

    // The version is compared before the data files.
    OnlineSession older;
    ASSERT_TRUE(older.open(joinerPlan(port, "0.9", 0), error)) << error;
    EXPECT_FALSE(older.meet(error));
    EXPECT_EQ(error, "the host 127.0.0.1:" + std::to_string(port) +
                         " refused this game: it runs Vantorix " + hostVersion +
                         ", this is Vantorix 0.9");
    older.leave();
    EXPECT_GE(host.waitForErrors("it runs Vantorix 0.9, this is Vantorix " + hostVersion +
                                     STILL_WAITING, 1, 10000), 0) << host.errors();

    // A game whose copy of one picture differs by a byte.
    {
        DataCopy otherData;
        std::string picture = readWholeFile(otherData.path() + "/pierre.bmp");
        picture.back() ^= 1;
        otherData.writeFile("pierre.bmp", picture);
        RunningProgram joiner(otherData.path(), {}, {"--join", joining});
        EXPECT_EQ(joiner.waitForExit(START_TIMEOUT_MS), 1) << joiner.errors();
        EXPECT_NE(joiner.errors().find("the host " + joining +
                                       " refused this game: its data files differ from these"),
                  std::string::npos) << joiner.errors();
        EXPECT_GE(host.waitForErrors("its data files differ from these" + std::string(STILL_WAITING),
                                     1, 10000), 0) << host.errors();
    }

    // A game with the same data is let in, then vanishes without a word, as a crashed game would
    // (the runner kills it).
    {
        DataCopy sameData;
        RunningProgram joiner(sameData.path(), {}, {"--join", joining});
        ASSERT_GE(joiner.waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << joiner.errors();
    }
    EXPECT_GE(host.waitForErrors(std::string(PEER_SILENT) + BACK_TO_LOCAL, 1, 15000), 0)
        << host.errors();
    EXPECT_TRUE(host.running());
    host.tapKey(host.waitForWindow(GAME_WINDOW), "Escape");
    EXPECT_EQ(host.waitForExit(EXIT_TIMEOUT_MS), 0) << host.errors();
}
