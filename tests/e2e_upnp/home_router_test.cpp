// Hosting from home behind a real UPnP router (miniupnpd in namespaces of the test's own): the
// port opened for the fight and closed at every end, and a router that is silent or refuses.
#include <signal.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "tests/e2e_upnp/home_network.h"
#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/support/screenshot.h"

namespace {

const std::string MAPPING_START = "UDP:7460:198.18.1.2:7460:";

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Milliseconds until standard output held the text, or -1.
long waitForOutput(RunningProgram& game, const std::string& text, int timeoutMs) {
    for (int waited = 0; waited <= timeoutMs; waited += 20, pause(20)) {
        if (game.output().find(text) != std::string::npos) {
            return waited;
        }
    }
    return -1;
}

std::pair<int, int> bars(RunningProgram& game) {
    return lifeBarLengths(Screenshot::ofWindow(game.display(), game.waitForWindow(GAME_WINDOW)));
}

}  // namespace

TEST(HomeRouter, OpensThePortForTheFightAndTakesItBackAtEveryEnd) {
    HomeNetwork net;
    if (!net.why().empty()) {
        GTEST_SKIP() << net.why();
    }
    ASSERT_TRUE(net.startRouter(true, 7460));
    DataCopy data;
    {
        RunningProgram unasked(net.atHome(data.path(), {"--host", "--no-upnp"}));
        ASSERT_GE(unasked.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << unasked.errors();
        RunningProgram joiner(net.outside(data.path(), {"--join", "198.19.0.1"}));
        EXPECT_EQ(joiner.waitForExit(START_TIMEOUT_MS), 1) << "joined through a closed router";
        EXPECT_TRUE(net.mappings().empty());
    }
    RunningProgram host(net.atHome(data.path(), {"--host"}));
    ASSERT_GE(waitForOutput(host, ROUTER_OPENED + std::string("7460"), START_TIMEOUT_MS), 0) << host.output();
    EXPECT_NE(host.output().find("--join 198.19.0.1:7460"), std::string::npos) << host.output();
    ASSERT_EQ(net.mappings().size(), 1u);
    EXPECT_EQ(net.mappings()[0].rfind(MAPPING_START, 0), 0u) << net.mappings()[0];
    EXPECT_EQ(net.mappings()[0].substr(net.mappings()[0].rfind(':')), ":Vantorix");

    RunningProgram joiner(net.outside(data.path(), {"--join", "198.19.0.1:7460"}));
    ASSERT_GE(host.waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << host.errors();
    ASSERT_GE(joiner.waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << joiner.errors();
    std::pair<int, int> full = bars(host);
    // The robots close in and strike, each from its own machine.
    unsigned long hostWindow = host.waitForWindow(GAME_WINDOW), joinerWindow = joiner.waitForWindow(GAME_WINDOW);
    for (int i = 0; i < 25; i++, pause(40)) {
        host.tapKey(hostWindow, "d");
        joiner.tapKey(joinerWindow, "Left");
    }
    host.tapKey(hostWindow, "x");
    pause(400);
    joiner.tapKey(joinerWindow, "m");
    pause(3000);
    EXPECT_EQ(bars(host), bars(joiner));
    EXPECT_LT(bars(host).first + bars(host).second, full.first + full.second) << "nobody was hurt";
    host.tapKey(hostWindow, "Escape");
    EXPECT_EQ(host.waitForExit(EXIT_TIMEOUT_MS), 0) << host.errors();
    EXPECT_TRUE(net.mappings().empty());

    // A host killed outright leaves its mapping; the next one replaces it and a signal's end
    // takes it back.
    {
        RunningProgram crashed(net.atHome(data.path(), {"--host"}));
        ASSERT_GE(waitForOutput(crashed, ROUTER_OPENED, START_TIMEOUT_MS), 0) << crashed.output();
    }
    ASSERT_EQ(net.mappings().size(), 1u);
    RunningProgram next(net.atHome(data.path(), {"--host"}));
    ASSERT_GE(waitForOutput(next, ROUTER_OPENED, START_TIMEOUT_MS), 0) << next.output();
    EXPECT_EQ(net.mappings().size(), 1u);
    net.signalHome(SIGTERM);
    EXPECT_EQ(next.waitForExit(EXIT_TIMEOUT_MS), 0) << next.errors();
    EXPECT_TRUE(net.mappings().empty());
}

TEST(HomeRouter, ASilentOrRefusingRouterIsSaidInOneLineAndHostingGoesOn) {
    HomeNetwork net;
    if (!net.why().empty()) {
        GTEST_SKIP() << net.why();
    }
    DataCopy data;
    std::string byHand = "forward UDP port 7460 to this machine (198.18.1.2) in the router by hand";
    {
        RunningProgram host(net.atHome(data.path(), {"--host"}));
        ASSERT_GE(host.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << host.errors();
        long late = waitForOutput(host, NO_ROUTER + (": " + byHand), START_TIMEOUT_MS);
        EXPECT_GE(late, 0) << host.output();
        EXPECT_LT(late, 2000 + 3000) << "the silent router was waited for too long";
        EXPECT_TRUE(host.running());
    }
    ASSERT_TRUE(net.startRouter(false, 7460));
    RunningProgram host(net.atHome(data.path(), {"--host"}));
    EXPECT_GE(waitForOutput(host, ROUTER_REFUSED + ("7460 (Action not authorized): " + byHand),
                            START_TIMEOUT_MS), 0) << host.output();
    EXPECT_TRUE(host.running());
    EXPECT_TRUE(net.mappings().empty());
}
