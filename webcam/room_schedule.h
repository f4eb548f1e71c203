// The room way's learning, step by step in time: step out, the empty room, stand in, the players, play.
#ifndef VANTORIX_ROOM_SCHEDULE_H
#define VANTORIX_ROOM_SCHEDULE_H

enum LearningStep {
    STEP_OUT = 0,       // the players leave the picture; nothing is learnt yet
    LEARN_ROOM = 1,     // each frame teaches the empty room
    STAND_IN = 2,       // the players come back and settle, hands down
    LEARN_PLAYERS = 3,  // each frame teaches the players as they stand
    PLAY = 4
};

// Where learning stands some time after it began.
struct LearningMoment {
    LearningStep step;
    // What the view window tells the players; the same words cover a step and the learning
    // that follows it, so that they change only when the players must do something else.
    const char* words;
    // How far through those words, from 0 to 1 (1 while playing).
    float progress;
};

LearningMoment learningAt(long elapsedMs);

#endif
