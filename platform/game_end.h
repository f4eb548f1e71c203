// Ending the game from wherever it finds it must end: Escape, a closed window, a start-up that
// cannot go on. The end is thrown up to main, which winds everything down once and returns the
// status; no other place ends the process, so no thread or open file is torn down under way.
#ifndef VANTORIX_GAME_END_H
#define VANTORIX_GAME_END_H

struct GameEnd {
    // The process's exit status: 0 when the player ended it, 1 when the game could not go on.
    int status;
};

[[noreturn]] inline void endGame(int status) { throw GameEnd{status}; }

#endif
