// What a key the computer wishes to press is meant to do; it decides how the press is followed.
#ifndef VANTORIX_WISH_H
#define VANTORIX_WISH_H

const int WISH_NOTHING = 0;
// A step: nothing to wait for.
const int WISH_WALK = 1;
// A sign that only changes the sign held (during a move, or a secret duel sign).
const int WISH_SIGN_ONLY = 2;
// A sign that starts a move: the next waits until the move is seen on screen.
const int WISH_MOVE = 3;
// Rock releasing a complete wind-up, which may call a duel.
const int WISH_RELEASE = 4;

#endif
