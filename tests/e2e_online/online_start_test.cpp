// How an online fight fails to start or ends early: a busy port, an unknown name, a host that
// does not answer, a joiner of another version or with other data files, and a joiner that
// vanishes mid-fight.
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "net/data_digest.h"
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
    uint32_t digest;
    {
        ScopedWorkingDirectory inData(data.path());
        digest = dataFilesDigest();
    }
    std::string hostVersion = VANTORIX_VERSION;
    std::string error;

    OnlineSession older;
    ASSERT_TRUE(older.open(joinerPlan(port, "0.9", digest), error)) << error;
    EXPECT_FALSE(older.meet(error));
    EXPECT_EQ(error, "the host 127.0.0.1:" + std::to_string(port) +
                         " refused this game: it runs Vantorix " + hostVersion +
                         ", this is Vantorix 0.9");
    older.leave();
    EXPECT_GE(host.waitForErrors("it runs Vantorix 0.9, this is Vantorix " + hostVersion +
                                     STILL_WAITING, 1, 10000), 0) << host.errors();

    OnlineSession otherData;
    ASSERT_TRUE(otherData.open(joinerPlan(port, hostVersion, digest + 1), error)) << error;
    EXPECT_FALSE(otherData.meet(error));
    EXPECT_NE(error.find("refused this game: its data files differ from these"), std::string::npos)
        << error;
    otherData.leave();
    EXPECT_GE(host.waitForErrors("its data files differ from these" + std::string(STILL_WAITING), 1,
                                 10000), 0) << host.errors();

    // A joiner that is let in and then vanishes without a word, as a crashed game would.
    pid_t vanishing = fork();
    if (vanishing == 0) {
        OnlineSession session;
        std::string ignored;
        bool met = session.open(joinerPlan(port, hostVersion, digest), ignored) && session.meet(ignored);
        _exit(met ? 0 : 1);
    }
    int status = -1;
    waitpid(vanishing, &status, 0);
    ASSERT_EQ(WEXITSTATUS(status), 0);
    EXPECT_GE(host.waitForErrors(std::string(PEER_SILENT) + BACK_TO_LOCAL, 1, 15000), 0)
        << host.errors();
    EXPECT_TRUE(host.running());
    host.tapKey(host.waitForWindow(GAME_WINDOW), "Escape");
    EXPECT_EQ(host.waitForExit(EXIT_TIMEOUT_MS), 0) << host.errors();
}
