// Two real games on one machine, each on its own X server, fighting over a relay that delays,
// jitters and drops datagrams as a distant link would: a strike, a special and a sign duel
// played by keys on both windows end with the same life bars on both screens.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <random>
#include <string>
#include <thread>

#include "net/peer_link.h"
#include "tests/e2e_online/delay_relay.h"
#include "tests/support/contract.h"
#include "tests/support/data_dir.h"
#include "tests/support/program.h"
#include "tests/support/screenshot.h"

namespace {

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Datagrams from a stranger: random bytes, our own kind cut short or damaged, and the joiner's
// real datagrams sent again from another address.
void sendGarbage(int port, const std::vector<std::vector<uint8_t>>& real) {
    int s = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in host = {};
    host.sin_family = AF_INET;
    host.sin_port = htons((uint16_t)port);
    host.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    std::mt19937 random(99);
    auto send = [&](const std::vector<uint8_t>& bytes) {
        sendto(s, bytes.data(), bytes.size(), 0, (const sockaddr*)&host, sizeof host);
    };
    for (int i = 0; i < 200; i++) {
        std::vector<uint8_t> noise(random() % 1400 + 1);
        for (uint8_t& b : noise) {
            b = (uint8_t)random();
        }
        send(noise);
    }
    for (size_t i = 0; i < real.size() && i < 300; i += 3) {
        std::vector<uint8_t> bytes = real[real.size() - 1 - i];
        send(bytes);
        bytes.resize(bytes.size() / 2);
        send(bytes);
        if (!bytes.empty()) {
            bytes[bytes.size() / 2] ^= 0x5a;
            send(bytes);
        }
    }
    close(s);
}

class OnlineFightOverRelay : public ::testing::Test {
protected:
    DataCopy data;
    int hostPort = freeUdpPort();
    std::unique_ptr<RunningProgram> host;
    std::unique_ptr<DelayRelay> relay;
    std::unique_ptr<RunningProgram> joiner;
    unsigned long hostWindow = 0;
    unsigned long joinerWindow = 0;

    void SetUp() override {
        host.reset(new RunningProgram(data.path(), {},
                                      {"--host", std::to_string(hostPort), "--no-upnp", "--record", "host.vxr"}));
        ASSERT_GE(host->waitForErrors(WAITING_FOR_OPPONENT + std::to_string(hostPort), 1, START_TIMEOUT_MS), 0)
            << host->errors();
        relay.reset(new DelayRelay(hostPort, 50, 10, 0.03));
        joiner.reset(new RunningProgram(data.path(), {},
                                        {"--join", "127.0.0.1:" + std::to_string(relay->port()),
                                         "--record", "joiner.vxr"}));
        ASSERT_GE(host->waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << host->errors();
        ASSERT_GE(joiner->waitForErrors(ONLINE_FIGHT, 1, START_TIMEOUT_MS), 0) << joiner->errors();
        hostWindow = host->waitForWindow(GAME_WINDOW);
        joinerWindow = joiner->waitForWindow(GAME_WINDOW);
        ASSERT_NE(hostWindow, 0u);
        ASSERT_NE(joinerWindow, 0u);
    }

    // Keys on both windows at once: the host's player 1 and the joiner's player 2.
    void keys(const std::string& onHost, const std::string& onJoiner, int times = 1, int gapMs = 40) {
        for (int i = 0; i < times; i++) {
            if (!onHost.empty()) {
                host->tapKey(hostWindow, onHost);
            }
            if (!onJoiner.empty()) {
                joiner->tapKey(joinerWindow, onJoiner);
            }
            pause(gapMs);
        }
    }

    std::pair<int, int> barsOn(RunningProgram& game, unsigned long window) {
        return lifeBarLengths(Screenshot::ofWindow(game.display(), window));
    }
};

}  // namespace

TEST_F(OnlineFightOverRelay, StrikeSpecialAndDuelEndWithTheSameLifeBarsOnBothScreens) {
    std::pair<int, int> full = barsOn(*host, hostWindow);
    ASSERT_GT(full.first, 50) << "no life bar found";
    EXPECT_EQ(full, barsOn(*joiner, joinerWindow));

    // A special from afar: the host winds up with paper and releases with rock.
    keys("x", "");
    pause(600);
    keys("z", "");
    pause(2500);
    // A sign duel: both wind up with paper (the joiner on player 1's keys, which drive its
    // own robot too), and the host releases while the joiner still holds.
    keys("x", "x");
    pause(900);
    keys("z", "");
    pause(300);
    keys("c", "z");
    pause(700);
    keys("x", "c");
    pause(700);
    keys("z", "n");
    pause(2500);
    // A stranger's datagrams at the host while the robots close in and strike.
    std::thread garbage(sendGarbage, hostPort, relay->towardHost());
    keys("d", "Left", WALK_TAPS, WALK_TAP_GAP_MS);
    keys("x", "", 1);
    pause(400);
    keys("", "m", 1);
    garbage.join();
    // A third machine cannot get in.
    {
        PeerLink intruder;
        std::string error;
        ASSERT_TRUE(intruder.join("127.0.0.1", hostPort, error)) << error;
        for (int i = 0; i < 100 && !intruder.connected(); i++) {
            intruder.poll(20);
        }
        EXPECT_FALSE(intruder.connected()) << "a third machine joined the fight";
    }
    // Sparks and late corrections settle.
    pause(3000);

    std::pair<int, int> onHost = barsOn(*host, hostWindow);
    std::pair<int, int> onJoiner = barsOn(*joiner, joinerWindow);
    EXPECT_EQ(onHost, onJoiner);
    EXPECT_LT(onHost.first + onHost.second, full.first + full.second) << "nobody was hurt";
    EXPECT_EQ(host->errors().find(DESYNC), std::string::npos) << host->errors();
    EXPECT_EQ(joiner->errors().find(DESYNC), std::string::npos) << joiner->errors();
    EXPECT_GT(relay->forwarded(), 100);

    // The host's player closes the view window: the joiner is told and plays on locally, then
    // quits cleanly with Escape.
    host->closeWindow(host->waitForWindow(VIEW_WINDOW));
    EXPECT_EQ(host->waitForExit(EXIT_TIMEOUT_MS), 0) << host->errors();
    EXPECT_GE(joiner->waitForErrors(std::string(PEER_LEFT) + BACK_TO_LOCAL, 1, 10000), 0) << joiner->errors();
    EXPECT_TRUE(joiner->running());
    joiner->tapKey(joinerWindow, "x");
    pause(300);
    EXPECT_TRUE(joiner->running());
    joiner->tapKey(joinerWindow, "Escape");
    EXPECT_EQ(joiner->waitForExit(EXIT_TIMEOUT_MS), 0) << joiner->errors();

    // Each side's recording replays on one machine to its end, fingerprints matching all along
    // (the joiner's goes on past the online fight, into the local play that followed it).
    RunningProgram hostReplay(data.path(), {}, {"--replay", "host.vxr"});
    RunningProgram joinerReplay(data.path(), {}, {"--replay", "joiner.vxr"});
    for (RunningProgram* replay : {&hostReplay, &joinerReplay}) {
        EXPECT_GE(replay->waitForErrors(TAKE_OVER, 1, 90000), 0) << replay->errors();
        EXPECT_EQ(replay->errors().find(NO_LONGER_MATCHING), std::string::npos) << replay->errors();
    }
}
