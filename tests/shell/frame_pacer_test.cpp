// The frame pacing that keeps the fight at its speed on displays without vertical sync.
#include <gtest/gtest.h>

#include "shell/frame_pacer.h"

static long long fakeNow = 0;
static long long slept = 0;

static long long fakeClock() { return fakeNow; }

static void fakeSleep(long long microseconds) {
    slept += microseconds;
    fakeNow += microseconds;
}

class FramePacing : public ::testing::Test {
protected:
    void SetUp() override {
        fakeNow = 1000000;
        slept = 0;
    }
    FramePacer pacer{fakeClock, fakeSleep};
};

TEST_F(FramePacing, AFastFrameIsStretchedToASixtiethOfASecond) {
    pacer.beginFrame();
    fakeNow += 4000;
    pacer.endFrame();
    EXPECT_EQ(slept, FramePacer::FRAME_MICROSECONDS - 4000);
}

TEST_F(FramePacing, ASlowFrameOrOneThatTookExactlyTheBudgetIsNotDelayed) {
    pacer.beginFrame();
    fakeNow += 25000;
    pacer.endFrame();
    pacer.beginFrame();
    fakeNow += FramePacer::FRAME_MICROSECONDS;
    pacer.endFrame();
    EXPECT_EQ(slept, 0);
}

TEST_F(FramePacing, SixtyFramesTakeAtLeastOneSecond) {
    long long start = fakeNow;
    for (int frame = 0; frame < 60; frame++) {
        pacer.beginFrame();
        fakeNow += 3000;  // the frame's own 1 ms and 2 ms sleeps
        pacer.endFrame();
    }
    EXPECT_GE(fakeNow - start, 60 * FramePacer::FRAME_MICROSECONDS);
    EXPECT_LT(fakeNow - start, 60 * FramePacer::FRAME_MICROSECONDS + 1000);
}

TEST_F(FramePacing, AClockThatJumpsBackDoesNotStallTheGame) {
    pacer.beginFrame();
    fakeNow -= 5000000;
    pacer.endFrame();
    EXPECT_EQ(slept, FramePacer::FRAME_MICROSECONDS);
}

TEST_F(FramePacing, EndWithoutBeginWaitsForNothing) {
    pacer.endFrame();
    EXPECT_EQ(slept, 0);
}
