// Keyboard input for the probes: a scripted fight and random play, fed through SDL's event queue.
#ifndef VANTORIX_BENCH_FIGHT_SCRIPT_H
#define VANTORIX_BENCH_FIGHT_SCRIPT_H

#include <SDL/SDL.h>

#include <vector>

// The keys pressed in one frame of the scripted fight: a special from long range, a walk to
// close range, four strikes, a walk apart and a sign duel, over and over (FIGHT_SCRIPT_FRAMES a
// round).
std::vector<SDLKey> scriptedKeys(int frame);
extern const int FIGHT_SCRIPT_FRAMES;

// Random play: each player keeps walking or giving a sign for a few frames, then picks anew.
class RandomPlayer {
public:
    explicit RandomPlayer(unsigned int seed);
    std::vector<SDLKey> keys();

private:
    unsigned int state;
    SDLKey held[2];
    int heldFor[2];
    int below(int bound);
};

// Queues the key presses for World::handleEvents to read in the next frame.
void pushKeys(const std::vector<SDLKey>& keys);

#endif
