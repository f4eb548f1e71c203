// Keeps the game at no more than 60 frames a second on displays that do not wait for the vertical blank.
#ifndef VANTORIX_FRAME_PACER_H
#define VANTORIX_FRAME_PACER_H

// The frame is the game's only unit of time, so an unpaced loop would run the fight too fast.
class FramePacer {
public:
    // Clock in microseconds and a sleep in microseconds; the real ones by default.
    typedef long long (*ClockFunction)();
    typedef void (*SleepFunction)(long long microseconds);

    static const long long FRAME_MICROSECONDS = 16667;

    FramePacer();
    FramePacer(ClockFunction clock, SleepFunction sleep);

    // Called once when a frame begins and once when it has ended; waits out the rest of 1/60 s.
    void beginFrame();
    void endFrame();

private:
    ClockFunction now;
    SleepFunction sleep;
    long long frameStart;
};

#endif
