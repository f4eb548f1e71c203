// Times the game's frames in local play and then online, in the same run: the game hosts, and a
// headless joiner in a child process plays random inputs through a relay that delays each way by
// 50 ms, jitters by up to 10 ms and drops 3 % of the datagrams.
//   vantorix_online_probe FRAMES     FRAMES paced local frames, then FRAMES paced online frames
// Prints "name value" lines. Run in the game's data folder or give it as VANTORIX_DATA.
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "animation/data_files.h"
#include "bench/probes/game_session.h"
#include "game/World.h"
#include "net/data_digest.h"
#include "net/online_session.h"
#include "shell/command_line.h"
#include "shell/frame_pacer.h"
#include "shell/online_control.h"
#include "shell/frame.h"
#include "tests/e2e_online/delay_relay.h"

namespace {

const double FRAME_BUDGET_US = 1e6 / 60;

double percentile(std::vector<double> values, double share) {
    std::sort(values.begin(), values.end());
    size_t index = (size_t)std::ceil(share * values.size()) - 1;
    return values[std::min(index, values.size() - 1)];
}

void printStats(const char* name, const std::vector<double>& values) {
    std::printf("%s_median_us %.1f\n", name, percentile(values, 0.5));
    std::printf("%s_p99_us %.1f\n", name, percentile(values, 0.99));
    std::printf("%s_max_us %.1f\n", name, percentile(values, 1.0));
    std::printf("%s_over_budget %ld\n", name,
                (long)std::count_if(values.begin(), values.end(),
                                    [](double us) { return us > FRAME_BUDGET_US; }));
}

// The other machine, without a window: random walking and signs at 60 frames a second.
void playJoiner(int relayPort, int frames) {
    World world;
    world.moves.loadMoves();
    world.setStartingValues();
    MeetingPlan plan;
    plan.hostName = "127.0.0.1";
    plan.port = relayPort;
    plan.gameVersion = VANTORIX_VERSION;
    // Forked from the host once it has loaded its data: the same files opened.
    plan.dataDigest = dataFilesDigest(dataFilesOpened());
    OnlineSession session;
    std::string error;
    if (!session.open(plan, error) || !session.meet(error)) {
        std::fprintf(stderr, "probe joiner: %s\n", error.c_str());
        _exit(1);
    }
    session.startFight(world.fight, world.rules);
    std::mt19937 random(5);
    FramePacer pacer;
    for (int f = 0; f < frames && session.endReason().empty(); f++) {
        pacer.beginFrame();
        int roll = random() % 100;
        session.playFrame(packPlayerInput(roll < 30, roll >= 90, roll % 7 == 0 ? 1 + roll % 3 : 0, 0));
        pacer.endFrame();
    }
    session.leave();
    _exit(0);
}

std::vector<double> timeFrames(int frames) {
    std::vector<double> times;
    FramePacer pacer;
    for (int f = 0; f < frames; f++) {
        pacer.beginFrame();
        FrameClock clock;
        playFrame(&clock);
        times.push_back(clock.drawn - clock.start);
        pacer.endFrame();
    }
    return times;
}

}  // namespace

int main(int argc, char** argv) {
    int frames = argc > 1 ? std::atoi(argv[1]) : 600;
    if (frames <= 0) {
        std::fprintf(stderr, "usage: vantorix_online_probe FRAMES\n");
        return 2;
    }
    const char* data = std::getenv("VANTORIX_DATA");
    enterDataFolder(data != nullptr ? data : VANTORIX_DATA_DIR);
    int hostPort = freeUdpPort();
    DelayRelay relay(hostPort, 50, 10, 0.03);
    CommandLine options;
    options.host = true;
    options.port = hostPort;
    options.upnp = false;
    if (!openOnlinePlay(options)) {
        return 1;
    }
    startGameOn("");
    std::vector<double> local = timeFrames(frames);
    pid_t joiner = fork();
    if (joiner == 0) {
        playJoiner(relay.port(), frames + 600);
    }
    showWaitingForOpponent();
    while (!waitForOpponent()) {
    }
    std::vector<double> online = timeFrames(frames);
    printStats("local_frame", local);
    printStats("online_frame", online);
    const RollbackCounts& counts = onlineSession()->fight()->fight().counts();
    std::printf("online_rollbacks %ld\nonline_deepest_rollback %d\nonline_frames_run_again %ld\n",
                counts.rollbacks, counts.deepest, counts.framesRunAgain);
    std::printf("online_frames_waited %ld\nonline_datagrams_forwarded %ld\n",
                onlineSession()->fight()->framesWaited(), relay.forwarded());
    std::fflush(stdout);
    kill(joiner, SIGTERM);
    waitpid(joiner, nullptr, 0);
    stopGame();
    return 0;
}
