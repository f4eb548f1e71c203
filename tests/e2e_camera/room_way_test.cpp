// The real program finding hands the room way in a synthetic lit room: learning in words, play with
// the hands boxed and their joints drawn, F3.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "tests/support/files.h"
#include "tests/support/room_feed.h"
#include "tests/support/running_game.h"
#include "tests/support/screenshot.h"

using Clock = std::chrono::steady_clock;

static void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// The worker takes F3 at the end of its pass, seconds long in a sanitizer build on a busy
// machine; the waits end as soon as the bar shows.
static const int LEARN_AGAIN_WAIT_MS = 15000;

// A daylight scene of the room_scenes tool, made in a fresh folder.
static std::string daylightScene(const FreshFolder& folder) {
    commandOutput(std::string(VANTORIX_TEST_TOOLS_DIR) + "/room_scenes --out " + folder.path() +
                  " --condition daylight --scenes-per-condition 1");
    return folder.path() + "/daylight-0";
}

// The progress bar's fill in pixels, or -1 when no bar is drawn (playing).
static int barFill(const Screenshot& shot) {
    auto green = [&shot](int x) { return shot.at(x, 256).r == 22 && shot.at(x, 256).g == 199; };
    if (shot.width != 1200 || !green(420)) {
        return -1;
    }
    int fill = 0;
    while (fill < 196 && green(422 + fill)) {
        ++fill;
    }
    return fill;
}

// Whether a colour shows within player 1's half of the mask: its hand box, or the joints the
// hand model sees.
static bool inPlayer1Half(const Screenshot& shot, Rgb colour) {
    for (int i = 0; shot.width == 1200 && i < 160 * 240; ++i) {
        Rgb p = shot.at(160 + i % 160, i / 160);
        if (p.r == colour.r && p.g == colour.g && p.b == colour.b) {
            return true;
        }
    }
    return false;
}

// Polls the view window until the bar's fill passes the test, or the time runs out.
template <typename Test>
static bool viewShows(RunningGame& run, Test test, int timeoutMs) {
    for (auto end = Clock::now() + std::chrono::milliseconds(timeoutMs); Clock::now() < end; pause(100)) {
        if (test(barFill(Screenshot::ofWindow(run.program.display(), run.viewWindow)))) {
            return true;
        }
    }
    return false;
}

TEST(CameraRoomWay, LearnsTheRoomThenPlaysAndLearnsAgainOnF3) {
    FreshFolder folder;
    RoomFeed feed(daylightScene(folder), folder.path() + "/live.rgb");
    ASSERT_TRUE(feed.ready()) << "room_scenes made no scene";
    ASSERT_TRUE(feed.show(0));
    RunningGame run({"--hands", "room", "--capture-source", feed.source()});
    ASSERT_TRUE(run.up()) << run.program.errors();
    // Learning begins with the first frame: the room while it is empty, then the players.
    ASSERT_TRUE(viewShows(run, [](int fill) { return fill >= 0; }, 20000));
    Clock::time_point learning = Clock::now();
    EXPECT_TRUE(paperKeyShowsItsIcon(run.program, run.gameWindow)) << "the keys do not play while the room is learnt";
    pause(4600 - (int)std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - learning).count());
    feed.show(feed.empty);
    pause(4000);
    feed.show(feed.empty + feed.stand - 1);
    EXPECT_TRUE(viewShows(run, [](int fill) { return fill < 0; }, 3000)) << "learning never ended";

    // Play: the scene's players sign; player 1's hand is boxed and its paper reaches the fight.
    EXPECT_LT(paperPixelsAtTopOfLeftTower(Screenshot::ofWindow(run.program.display(), run.gameWindow)), 100)
        << "the key's paper still shows";
    bool boxed = false, joints = false, paper = false;
    // Each picture stays for 0.4 s, as a player holds a sign: the hand model reads each player's
    // hand only every few of the camera's pictures.
    for (int i = 0; i < 90 && !(boxed && joints && paper); ++i) {
        feed.show(feed.empty + feed.stand + i % feed.play);
        pause(400);
        Screenshot view = Screenshot::ofWindow(run.program.display(), run.viewWindow);
        boxed = boxed || inPlayer1Half(view, Rgb{255, 60, 60});
        joints = joints || inPlayer1Half(view, Rgb{0, 255, 200});
        paper = paper || paperPixelsAtTopOfLeftTower(Screenshot::ofWindow(run.program.display(), run.gameWindow)) > 100;
    }
    EXPECT_TRUE(boxed);
    EXPECT_TRUE(joints);
    EXPECT_TRUE(paper);

    // F3 in the game window starts learning again, and F3 in the view window starts it afresh.
    run.program.tapKey(run.gameWindow, "F3");
    EXPECT_TRUE(viewShows(run, [](int fill) { return fill >= 0; }, LEARN_AGAIN_WAIT_MS));
    EXPECT_TRUE(viewShows(run, [](int fill) { return fill > 80; }, LEARN_AGAIN_WAIT_MS));
    run.program.tapKey(run.viewWindow, "F3");
    EXPECT_TRUE(viewShows(run, [](int fill) { return fill >= 0 && fill < 40; }, LEARN_AGAIN_WAIT_MS));

    run.program.tapKey(run.viewWindow, "Escape");
    EXPECT_EQ(run.program.waitForExit(EXIT_TIMEOUT_MS), 0);
    EXPECT_EQ(run.program.errors(), "");
}
