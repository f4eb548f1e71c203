// Hosting from home behind a real UPnP router: miniupnpd NATs a home namespace to a friend's, in
// namespaces of the test's own that route nowhere else. The port is opened for the fight and
// taken back at every end; a silent or a refusing router is said in one line.
#include <signal.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/support/screenshot.h"

namespace {

// Home 198.18.1.2 behind the router (198.18.1.1 inside, 198.19.0.1 outside), the friend at
// 198.19.0.2 and .3: miniupnpd maps nothing while its outside address looks private, unless a
// STUN server with two addresses (stund) vouches that nothing filters it.
const char* const MAKE = R"(set -e
for n in $H $R $O; do ip netns add $n; ip -n $n link set lo up; done
ip link add eth0 netns $H type veth peer name lan netns $R
ip link add eth0 netns $O type veth peer name wan netns $R
ip -n $H addr add 198.18.1.2/24 dev eth0; ip -n $R addr add 198.18.1.1/24 dev lan
ip -n $R addr add 198.19.0.1/24 dev wan; ip -n $O addr add 198.19.0.2/24 dev eth0
ip -n $O addr add 198.19.0.3/24 dev eth0
for l in "$H eth0" "$O eth0" "$R lan" "$R wan"; do set -- $l; ip -n $1 link set $2 up; done
ip -n $H route add default via 198.18.1.1; ip netns exec $R sysctl -qw net.ipv4.ip_forward=1
ip netns exec $R nft -f - <<NFT
table inet filter { chain miniupnpd { }; }
table inet nat { chain prerouting_miniupnpd { }; chain postrouting_miniupnpd { };
  chain prerouting { type nat hook prerouting priority -100; jump prerouting_miniupnpd; };
  chain postrouting { type nat hook postrouting priority 100; oifname "wan" masquerade; }; }
NFT
)";

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The three namespaces, removed with whatever runs in them; why says what kept them from being made.
struct HomeNetwork {
    std::string tag = "vtx" + std::to_string(getpid()), why;
    FreshFolder folder;

    int sh(const std::string& script) const {
        std::string names = "H=" + tag + "h R=" + tag + "r O=" + tag + "o";
        return std::system((names + " sh -c '" + script + "' >/dev/null 2>&1").c_str());
    }
    HomeNetwork() {
        why = geteuid() != 0 ? "network namespaces need root"
              : sh("command -v miniupnpd && command -v stund && command -v nft") != 0
                  ? "miniupnpd, stund or nft is missing (tools/packages.txt)"
              : sh(MAKE) != 0 ? "the namespaces or the router's NAT could not be made" : "";
    }
    ~HomeNetwork() {
        for (const char* space : {"h", "r", "o"}) {
            signal(space, SIGKILL);
        }
        sh("ip netns del $H; ip netns del $R; ip netns del $O");
    }
    // The router's UPnP daemon, with rules of its own before those that let home map any port.
    bool startRouter(const std::string& rules = "") const {
        std::string conf = folder.path() + "/conf", log = folder.path() + "/log";
        writeWholeFile(conf, "ext_ifname=wan\nlistening_ip=lan\nhttp_port=5000\nupnp_nat_table_name=nat\n"
                             "ext_perform_stun=yes\next_stun_host=198.19.0.2\nuuid=3a4f1c2e-0b7d-4e5a-9c1f-"
                             "2d3e4f5a6b7c\nlease_file=" + folder.path() + "/leases\n" +
                             rules +
                             "allow 1024-65535 198.18.1.0/24 1024-65535\ndeny 0-65535 0.0.0.0/0 0-65535\n");
        sh("ip netns exec $O stund -h 198.19.0.2 -a 198.19.0.3 & ip netns exec $R miniupnpd -d -f " +
           conf + " -P " + folder.path() + "/pid >" + log + " 2>&1 &");
        for (int waited = 0; waited < 10000; waited += 100, pause(100)) {
            if (readWholeFile(log).find("Port forwarding is now enabled") != std::string::npos) {
                return true;
            }
        }
        return false;
    }
    // The router's mappings, one line each: UDP:port:machine:port:expiry:description.
    std::vector<std::string> mappings() const { return linesOf(readWholeFile(folder.path() + "/leases")); }
    // The game in the data folder, at home ("h") or at the friend's ("o").
    Launch at(const char* space, const std::string& data, const std::vector<std::string>& arguments) const {
        std::vector<std::string> line = gameCommand(arguments);
        line.insert(line.begin(), {"/usr/sbin/ip", "netns", "exec", tag + space});
        return Launch{line, data, {}};
    }
    void signal(const char* space, int number) const {
        std::istringstream pids(commandOutput("ip netns pids " + tag + space + " 2>/dev/null"));
        for (int pid; pids >> pid;) {
            kill(pid, number);
        }
    }
};

// Milliseconds until standard output held the text, or -1.
long waitForOutput(RunningProgram& game, const std::string& text) {
    for (int waited = 0; waited <= START_TIMEOUT_MS; waited += 20, pause(20)) {
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
    if (!net.why.empty()) {
        GTEST_SKIP() << net.why;
    }
    ASSERT_TRUE(net.startRouter());
    DataCopy data;
    {
        RunningProgram unasked(net.at("h", data.path(), {"--host", "--no-upnp"}));
        ASSERT_GE(unasked.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << unasked.errors();
        RunningProgram joiner(net.at("o", data.path(), {"--join", "198.19.0.1"}));
        EXPECT_EQ(joiner.waitForExit(START_TIMEOUT_MS), 1) << "joined through a closed router";
        EXPECT_TRUE(net.mappings().empty());
    }
    RunningProgram host(net.at("h", data.path(), {"--host"}));
    ASSERT_GE(waitForOutput(host, ROUTER_OPENED + std::string("7460")), 0) << host.output();
    EXPECT_NE(host.output().find("--join 198.19.0.1:7460"), std::string::npos) << host.output();
    ASSERT_EQ(net.mappings().size(), 1u);
    std::string mapping = net.mappings()[0];
    EXPECT_TRUE(mapping.rfind("UDP:7460:198.18.1.2:7460:", 0) == 0 &&
                mapping.rfind(":Vantorix") + 9 == mapping.size()) << mapping;

    RunningProgram joiner(net.at("o", data.path(), {"--join", "198.19.0.1:7460"}));
    ASSERT_GE(joiner.waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << joiner.errors();
    std::pair<int, int> full = bars(host);
    unsigned long hostWindow = host.waitForWindow(GAME_WINDOW);
    unsigned long joinerWindow = joiner.waitForWindow(GAME_WINDOW);
    // The robots close in and strike, each from its own machine, until someone is hurt.
    for (int round = 0; round < 6 && bars(host) == full; round++) {
        for (int i = 0; i < WALK_TAPS; i++, pause(WALK_TAP_GAP_MS)) {
            host.tapKey(hostWindow, "d");
            joiner.tapKey(joinerWindow, "Left");
        }
        host.tapKey(hostWindow, "x");
        pause(400);
        joiner.tapKey(joinerWindow, "m");
        pause(1500);
    }
    pause(2000);
    EXPECT_EQ(bars(host), bars(joiner));
    EXPECT_LT(bars(host).first + bars(host).second, full.first + full.second)
        << "nobody was hurt\n" << host.errors() << joiner.errors();
    host.tapKey(hostWindow, "Escape");
    EXPECT_EQ(host.waitForExit(EXIT_TIMEOUT_MS), 0) << host.errors();
    EXPECT_TRUE(net.mappings().empty());

    // A host killed outright leaves its mapping: the next replaces it, and SIGTERM takes it back.
    {
        RunningProgram killed(net.at("h", data.path(), {"--host"}));
        ASSERT_GE(waitForOutput(killed, ROUTER_OPENED), 0) << killed.output();
    }
    ASSERT_EQ(net.mappings().size(), 1u);
    RunningProgram next(net.at("h", data.path(), {"--host"}));
    ASSERT_GE(waitForOutput(next, ROUTER_OPENED), 0) << next.output();
    EXPECT_EQ(net.mappings().size(), 1u);
    net.signal("h", SIGTERM);
    EXPECT_EQ(next.waitForExit(EXIT_TIMEOUT_MS), 0) << next.errors();
    EXPECT_TRUE(net.mappings().empty());
}

TEST(HomeRouter, ASilentRefusingOrTakenRouterIsSaidInOneLineAndHostingGoesOn) {
    HomeNetwork net;
    if (!net.why.empty()) {
        GTEST_SKIP() << net.why;
    }
    DataCopy data;
    auto byHand = [](const char* port) {
        return "forward UDP port " + std::string(port) + " to this machine (198.18.1.2) in the router by hand";
    };
    {
        RunningProgram host(net.at("h", data.path(), {"--host"}));
        ASSERT_GE(host.waitForErrors(WAITING_FOR_OPPONENT, 1, START_TIMEOUT_MS), 0) << host.errors();
        long late = waitForOutput(host, NO_ROUTER + (": " + byHand("7460")));
        EXPECT_GE(late, 0) << host.output();
        EXPECT_LT(late, 2000 + 3000) << "the silent router was waited for too long";
        EXPECT_TRUE(host.running());
    }
    // Port 7460 already goes to another machine at home; 7461 is refused.
    writeWholeFile(net.folder.path() + "/leases", "UDP:7460:198.18.1.9:7460:0:Another game\n");
    ASSERT_TRUE(net.startRouter("deny 7461 0.0.0.0/0 0-65535\n"));
    RunningProgram refused(net.at("h", data.path(), {"--host", "7461"}));
    RunningProgram taken(net.at("h", data.path(), {"--host"}));
    EXPECT_GE(waitForOutput(refused, ROUTER_REFUSED + ("7461 (Action not authorized): " + byHand("7461"))), 0)
        << refused.output();
    EXPECT_GE(waitForOutput(taken, "Vantorix: The router already passes UDP port 7460 to another machine "
                                   "(198.18.1.9): host on another port with --host PORT, or " + byHand("7460")),
              0) << taken.output();
    EXPECT_TRUE(refused.running() && taken.running());
    EXPECT_EQ(net.mappings().size(), 1u);
}
