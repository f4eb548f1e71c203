// Times the game's frames in a scripted fight, weighs a long random fight and the webcam worker.
//   vantorix_frame_probe frame FRAMES      paced frames of the scripted fight, and as many bare
//                                          frames (clear and swap), half before, half after; then
//                                          the fight again in fullscreen at the desktop's size
//   vantorix_frame_probe room FRAMES SCENE paced frames of the scripted fight while the worker
//                                          finds hands the room way in a room_scenes scene (its
//                                          folder), after learning the room and the players
//   vantorix_frame_probe design-room FRAMES SCENE  the same with the design's way of finding
//                                          hands, to tell the room way's cost from the camera's
//   vantorix_frame_probe latency TRIALS SCENE  the room way with the hand model: how long from a
//                                          sign shown to the camera to that sign in the fight's
//                                          inputs, player 1's signs of the scene's play in turn
//   vantorix_frame_probe worker SECONDS    the webcam worker's CPU time at its five passes a second
//   vantorix_frame_probe memory FRAMES     unpaced random play, resident size after 1/10 of it and
//                                          at its end
// Each prints "name value" lines for tools/bench.sh. Run in the game's data folder or give it as
// VANTORIX_DATA (defaults to the source tree's data/).
#include <GL/gl.h>
#include <SDL/SDL.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/probes/fight_script.h"
#include "bench/probes/game_session.h"
#include "render/game_window.h"
#include "game/codes.h"
#include "shell/frame.h"
#include "shell/frame_pacer.h"
#include "shell/game_objects.h"
#include "shell/webcam_worker_control.h"
#include "tests/support/room_feed.h"

namespace {

const double FRAME_BUDGET_US = 1e6 / 60;

double percentile(std::vector<double> values, double share) {
    if (values.empty()) {
        return 0;
    }
    std::sort(values.begin(), values.end());
    size_t index = (size_t)std::ceil(share * values.size()) - 1;
    return values[std::min(index, values.size() - 1)];
}

double median(const std::vector<double>& values) { return percentile(values, 0.5); }

struct FrameTimes {
    std::vector<double> frame, events, update, display, interpolation, copies, bare;
};

void printStats(const char* name, const std::vector<double>& values) {
    std::printf("%s_median_us %.1f\n", name, median(values));
    std::printf("%s_p90_us %.1f\n", name, percentile(values, 0.90));
    std::printf("%s_p99_us %.1f\n", name, percentile(values, 0.99));
    std::printf("%s_max_us %.1f\n", name, percentile(values, 1.0));
}

// What the fight went through, so that a reader sees the script did walk, strike, lunge and duel.
struct Coverage {
    int walking = 0, striking = 0, special = 0, duel = 0;
    void note() {
        int state1 = world.fight.game.getPstate(1), state2 = world.fight.game.getPstate(2);
        walking += world.fight.speed1 != 0 || world.fight.speed2 != 0;
        striking += state1 == STRIKING || state2 == STRIKING;
        special += state1 == SPECIAL || state2 == SPECIAL;
        duel += world.fight.game.getGameState() == DUEL_UNDER_WAY;
    }
};

// Bare frames, clear and swap, paced like the game's; half before the fight, half after it.
void bareFrames(int count, std::vector<double>& times) {
    FramePacer pacer;
    for (int i = 0; i < count; i++) {
        pacer.beginFrame();
        double start = nowMicroseconds();
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        SDL_GL_SwapBuffers();
        glFinish();
        times.push_back(nowMicroseconds() - start);
        pacer.endFrame();
    }
}

// Frames between two pictures of a five-a-second camera.
const int FRAMES_A_PICTURE = 12;

// The scripted fight, paced as in play, each frame's parts timed; the warm-up is not counted.
// A room feed, when given, shows its next sign every fifth of a second, outside the timed part.
void scriptedFrames(int frames, FrameTimes& t, Coverage& coverage, RoomFeed* feed = nullptr) {
    FramePacer pacer;
    Mesh pose1, pose2;
    const int warmUp = 60;
    for (int i = 0; i < frames + warmUp; i++) {
        pacer.beginFrame();
        pushKeys(scriptedKeys(i));
        FrameClock clock;
        playFrame(&clock);
        double t0 = clock.start, t1 = clock.inputsGathered, t2 = clock.stepped, t3 = clock.drawn;
        // Our own parts of the frame once more, on the same state, outside the frame's time.
        double t4 = nowMicroseconds();
        world.moves.interpolate(world.fight.game.getPmove(1), world.fight.clock1, pose1);
        world.moves.interpolate(world.fight.game.getPmove(2), world.fight.clock2, pose2);
        double t5 = nowMicroseconds();
        RecordList particles = world.moves.particles;
        Fight saved = world.fight;
        (void)saved;
        double t6 = nowMicroseconds();
        if (feed != nullptr && i % FRAMES_A_PICTURE == 0) {
            feed->showNextSign();
        }
        pacer.endFrame();
        if (i < warmUp) {
            continue;
        }
        coverage.note();
        t.frame.push_back(t3 - t0);
        t.events.push_back(t1 - t0);
        t.update.push_back(t2 - t1);
        t.display.push_back(t3 - t2);
        t.interpolation.push_back(t5 - t4);
        t.copies.push_back(t6 - t5);
    }
}

int frameProbe(int frames) {
    startGameOn(TEST_CAMERA_SOURCE);
    srand(1);
    FrameTimes t;
    bareFrames(frames / 2, t.bare);
    Coverage coverage;
    scriptedFrames(frames, t, coverage);
    bareFrames(frames / 2, t.bare);
    std::printf("frames %d\n", frames);
    std::printf("renderer %s\n", (const char*)glGetString(GL_RENDERER));
    printStats("frame", t.frame);
    printStats("bare", t.bare);
    printStats("events", t.events);
    printStats("update", t.update);
    printStats("display", t.display);
    printStats("interpolation", t.interpolation);
    printStats("copies", t.copies);
    std::printf("budget_us %.1f\n", FRAME_BUDGET_US);
    std::printf("frames_walking %d\nframes_striking %d\nframes_special %d\nframes_duel %d\n",
                coverage.walking, coverage.striking, coverage.special, coverage.duel);
    std::printf("life1 %d\nlife2 %d\n", world.fight.life1, world.fight.life2);

    // The same fight once more in fullscreen, as F11 switches to it, at the desktop's size.
    toggleFullscreen();
    FrameTimes full;
    Coverage fullCoverage;
    scriptedFrames(frames, full, fullCoverage);
    Letterbox picture = currentPicture();
    std::printf("full_picture %dx%d\n", picture.width, picture.height);
    printStats("full_frame", full.frame);
    printStats("full_display", full.display);
    stopGame();
    return 0;
}

double threadCpuSeconds(std::thread& thread);

// The room way learns for about eight seconds (webcam/room_schedule.cpp): the empty room until
// well into its second step, then the players standing until play has begun.
void learnTheRoom(RoomFeed& feed) {
    feed.showEmptyRoomInTurn(4600);
    feed.showPlayersStandingInTurn(4000);
}

int roomFrameProbe(int frames, const std::string& scene, HandsWay way) {
    RoomFeed feed(scene, "/tmp/vantorix-room-feed-" + std::to_string(getpid()) + ".rgb");
    if (!feed.ready() || !startGameOn(feed.source(), way)) {
        std::fprintf(stderr, "probe: no scene in %s, or its pictures could not be connected\n", scene.c_str());
        return 1;
    }
    learnTheRoom(feed);
    srand(1);
    FrameTimes t;
    Coverage coverage;
    double wall0 = nowMicroseconds();
    double worker0 = threadCpuSeconds(webcamWorker());
    scriptedFrames(frames, t, coverage, &feed);
    double wall = (nowMicroseconds() - wall0) / 1e6;
    double worker = threadCpuSeconds(webcamWorker()) - worker0;
    std::printf("room_frames %d\n", frames);
    printStats("room_frame", t.frame);
    printStats("room_display", t.display);
    std::printf("room_wall_s %.3f\nroom_worker_cpu_s %.4f\n", wall, worker);
    std::printf("budget_us %.1f\n", FRAME_BUDGET_US);
    stopGame();
    return 0;
}

// The frames of play in which player 1 shows a sign, with the sign.
std::vector<std::pair<int, int>> player1Signs(const std::string& scene, const RoomFeed& feed) {
    std::vector<std::pair<int, int>> signs;
    std::ifstream truth(scene + "/truth.txt");
    std::string line;
    while (std::getline(truth, line)) {
        std::istringstream words(line);
        int frame, player, present, sign;
        double x, y;
        if (line.empty() || line[0] == '#' || !(words >> frame >> player >> present >> x >> y >> sign)) {
            continue;
        }
        bool inPlay = frame >= feed.empty + feed.stand && frame < feed.empty + feed.stand + feed.play;
        if (player == 1 && present && sign != NO_SIGN && inPlay) {
            signs.push_back(std::make_pair(frame, sign));
        }
    }
    return signs;
}

// One paced frame drawn as in play, with the inputs the fight would take from the webcam in it;
// the fight itself stands still, so that its countdown and its end keep out of the way.
int webcamSign1(FramePacer& pacer) {
    pacer.beginFrame();
    world.handleEvents();
    int sign = passWebcamMeasurements(FrameInputs()).sign1;
    world.display();
    SDL_Delay(1);
    SDL_GL_SwapBuffers();
    pacer.endFrame();
    return sign;
}

// Frames: a second with no sign read before each trial, three seconds for the sign to arrive.
const int QUIET_FRAMES = 60, MOST_QUIET_FRAMES = 600, MOST_WAIT_FRAMES = 180;

int latencyProbe(int trials, const std::string& scene) {
    // Thirty pictures a second, as a webcam gives.
    RoomFeed feed(scene, "/tmp/vantorix-room-feed-" + std::to_string(getpid()) + ".rgb", 30);
    std::vector<std::pair<int, int>> signs = player1Signs(scene, feed);
    if (signs.empty() || !startGameOn(feed.source(), HANDS_ROOM)) {
        std::fprintf(stderr, "probe: no sign of player 1 in %s, or its pictures could not be connected\n",
                     scene.c_str());
        return 1;
    }
    learnTheRoom(feed);
    // Past the start's countdown, which holds the webcam back.
    while (world.fight.timer > WEBCAM_TIMER_GATE) {
        playFrame();
    }
    world.webcamOn = true;
    FramePacer pacer;
    std::vector<double> latencies;
    int unread = 0;
    for (int trial = 0; trial < trials; ++trial) {
        int frame = signs[trial % signs.size()].first, sign = signs[trial % signs.size()].second;
        feed.showPlayersStanding();
        for (int quiet = 0, i = 0; quiet < QUIET_FRAMES && i < MOST_QUIET_FRAMES; ++i) {
            quiet = webcamSign1(pacer) == NO_SIGN ? quiet + 1 : 0;
        }
        feed.show(frame);
        double shown = nowMicroseconds();
        bool read = false;
        for (int i = 0; i < MOST_WAIT_FRAMES && !read; ++i) {
            read = webcamSign1(pacer) == sign;
        }
        if (read) {
            latencies.push_back(nowMicroseconds() - shown);
        } else {
            ++unread;
        }
    }
    std::printf("latency_trials %d\nlatency_unread %d\n", trials, unread);
    printStats("latency", latencies);
    stopGame();
    return 0;
}

double threadCpuSeconds(std::thread& thread) {
    clockid_t clock;
    timespec used;
    if (pthread_getcpuclockid(thread.native_handle(), &clock) != 0 || clock_gettime(clock, &used) != 0) {
        return -1;
    }
    return used.tv_sec + used.tv_nsec / 1e9;
}

// The game at rest beside the worker: the main loop's frames are not drawn, so what the
// process spends beyond the worker is the capture pipeline's.
int workerProbe(double seconds) {
    if (!startGameOn(TEST_CAMERA_SOURCE)) {
        std::fprintf(stderr, "probe: the test camera could not be connected\n");
        return 1;
    }
    SDL_Delay(1000);  // the first passes, the font and the preview settle
    double wall0 = nowMicroseconds();
    double worker0 = threadCpuSeconds(webcamWorker());
    double process0 = processCpuSeconds();
    SDL_Delay((Uint32)(seconds * 1000));
    double wall = (nowMicroseconds() - wall0) / 1e6;
    double worker = threadCpuSeconds(webcamWorker()) - worker0;
    double process = processCpuSeconds() - process0;
    std::printf("wall_s %.3f\nworker_cpu_s %.4f\nprocess_cpu_s %.4f\n", wall, worker, process);
    stopGame();
    return 0;
}

// Ten minutes of play is 36,000 frames at 60 a second; here they run back to back, unpaced but
// with the frame's own breaths, with the worker on the test camera beside them.
int memoryProbe(int frames) {
    startGameOn(TEST_CAMERA_SOURCE);
    RandomPlayer players(2024);
    srand(2);
    int early = frames / 10;
    long earlyKilobytes = 0;
    size_t mostParticles = 0;
    double start = nowMicroseconds();
    for (int i = 1; i <= frames; i++) {
        pushKeys(players.keys());
        playFrame();
        mostParticles = std::max(mostParticles, world.moves.particles.size());
        if (i == early) {
            earlyKilobytes = residentKilobytes();
        }
    }
    long lateKilobytes = residentKilobytes();
    std::printf("frames %d\nearly_frames %d\nearly_rss_kb %ld\nlate_rss_kb %ld\n", frames, early,
                earlyKilobytes, lateKilobytes);
    std::printf("seconds %.1f\nmost_particles %zu\nlife1 %d\nlife2 %d\n",
                (nowMicroseconds() - start) / 1e6, mostParticles, world.fight.life1,
                world.fight.life2);
    stopGame();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    bool room = argc == 4 && (std::strcmp(argv[1], "room") == 0 || std::strcmp(argv[1], "design-room") == 0);
    bool latency = argc == 4 && std::strcmp(argv[1], "latency") == 0;
    if (argc != 3 && !room && !latency) {
        std::fprintf(stderr,
                     "usage: %s frame FRAMES | room FRAMES SCENE | design-room FRAMES SCENE | latency TRIALS SCENE | "
                     "worker SECONDS | memory FRAMES\n",
                     argv[0]);
        return 2;
    }
    const char* data = std::getenv("VANTORIX_DATA");
    enterDataFolder(data != nullptr ? data : VANTORIX_DATA_DIR);
    std::string mode = argv[1];
    double amount = std::atof(argv[2]);
    if (mode == "frame" && amount >= 1) {
        return frameProbe((int)amount);
    }
    if (room && amount >= 1) {
        return roomFrameProbe((int)amount, argv[3], mode == "room" ? HANDS_ROOM : HANDS_DESIGN);
    }
    if (mode == "latency" && amount >= 1 && argc == 4) {
        return latencyProbe((int)amount, argv[3]);
    }
    if (mode == "worker" && amount > 0) {
        return workerProbe(amount);
    }
    if (mode == "memory" && amount >= 10) {
        return memoryProbe((int)amount);
    }
    std::fprintf(stderr, "%s: unknown mode or amount: %s %s\n", argv[0], argv[1], argv[2]);
    return 2;
}
