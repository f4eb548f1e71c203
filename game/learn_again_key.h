// F3 in the game window asks the camera to learn the room again; the shell says what that does.
#ifndef VANTORIX_LEARN_AGAIN_KEY_H
#define VANTORIX_LEARN_AGAIN_KEY_H

// The step F3 runs; none until one is registered, and F3 then does nothing.
void onLearnAgainKey(void (*hook)());

#endif
