// Both hands of one analysed frame reach the fight together: never one frame's hand beside another's.
#include <gtest/gtest.h>

#include <thread>

#include "webcam/hand_reading.h"

// Every field of both hands is drawn from the frame number, so a reading put together from two
// frames shows it.
static HandReading readingOfFrame(unsigned long frame) {
    int n = (int)(frame % 1000);
    PlayerHand hand{frame % 2 == 0, n, n + 1, n + 2, n + 3, 1 + n % 3, n + 4};
    return HandReading{hand, hand, frame};
}

static bool sameHand(const PlayerHand& a, const PlayerHand& b) {
    return a.found == b.found && a.baryX == b.baryX && a.baryY == b.baryY && a.varX == b.varX &&
           a.varY == b.varY && a.sign == b.sign && a.pixels == b.pixels;
}

// The worker publishes five readings a second; here a publisher as fast as it can goes against
// a reader as fast as it can, so that a reading taken while one is written would be caught.
TEST(ThreadsReadings, FastPublisherNeverMixesTwoFrames) {
    ReadingBox box;
    box.publish(readingOfFrame(0));
    const unsigned long FRAMES = 200000;
    std::thread publisher([&box, FRAMES] {
        for (unsigned long frame = 1; frame <= FRAMES; ++frame) {
            box.publish(readingOfFrame(frame));
        }
    });
    unsigned long last = 0, mixed = 0, taken = 0;
    while (last < FRAMES) {
        HandReading reading = box.take();
        HandReading whole = readingOfFrame(reading.frame);
        mixed += sameHand(reading.player1, whole.player1) && sameHand(reading.player2, whole.player2) ? 0 : 1;
        EXPECT_GE(reading.frame, last);
        last = reading.frame;
        ++taken;
    }
    publisher.join();
    EXPECT_EQ(mixed, 0u) << "of " << taken << " readings";
}
