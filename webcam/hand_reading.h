// One analysed frame's measurements of both players' hands, handed from the worker to the game whole.
#ifndef VANTORIX_HAND_READING_H
#define VANTORIX_HAND_READING_H

#include <mutex>

// One player's hand in one analysed frame. baryX is counted within the player's own half
// (0-159: image columns 160-319 for player 1, 0-159 for player 2), baryY is the image row.
struct PlayerHand {
    bool found = false;  // a hand was seen in the half in this frame
    int baryX = 0;
    int baryY = 0;
    int varX = 0;
    int varY = 0;
    int sign = 0;        // a sign code of game/codes.h; NO_SIGN when none is read
    int pixels = 0;
};

// Both players' hands from the same analysed frame; frame counts the analyses, 0 before the first.
struct HandReading {
    PlayerHand player1;
    PlayerHand player2;
    unsigned long frame = 0;
};

// The latest reading, published by the worker and taken by the game, always whole: a reader
// never sees one player's hand from one frame beside the other's from the next.
class ReadingBox {
public:
    void publish(const HandReading& reading) {
        std::lock_guard<std::mutex> lock(mutex);
        latest = reading;
    }
    HandReading take() const {
        std::lock_guard<std::mutex> lock(mutex);
        return latest;
    }

private:
    mutable std::mutex mutex;
    HandReading latest;
};

#endif
