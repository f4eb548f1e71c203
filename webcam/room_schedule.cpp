// The room way's learning, step by step in time: step out, the empty room, stand in, the players, play.
#include "webcam/room_schedule.h"

// Milliseconds from the start of learning at which each step ends. Long enough to walk out of a
// webcam's picture and back, short enough not to keep a fight waiting; at five frames a second
// the room is learnt from about ten frames and the players from about seven.
static const long STEP_OUT_ENDS = 2000;
static const long LEARN_ROOM_ENDS = 4000;
static const long STAND_IN_ENDS = 6500;
static const long LEARN_PLAYERS_ENDS = 8000;

static const char* const LEAVE_WORDS = "Step out of the picture: learning the room";
static const char* const STAND_WORDS = "Stand in front, hands down";
static const char* const PLAY_WORDS = "Play!   (F3 learns again)";

static float share(long elapsed, long from, long to) { return (float)(elapsed - from) / (float)(to - from); }

LearningMoment learningAt(long elapsedMs) {
    long t = elapsedMs < 0 ? 0 : elapsedMs;
    if (t < LEARN_ROOM_ENDS) {
        return LearningMoment{t < STEP_OUT_ENDS ? STEP_OUT : LEARN_ROOM, LEAVE_WORDS, share(t, 0, LEARN_ROOM_ENDS)};
    }
    if (t < LEARN_PLAYERS_ENDS) {
        return LearningMoment{t < STAND_IN_ENDS ? STAND_IN : LEARN_PLAYERS, STAND_WORDS,
                              share(t, LEARN_ROOM_ENDS, LEARN_PLAYERS_ENDS)};
    }
    return LearningMoment{PLAY, PLAY_WORDS, 1.0f};
}
