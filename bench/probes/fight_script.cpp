// Keyboard input for the probes: a scripted fight and random play, fed through SDL's event queue.
#include "bench/probes/fight_script.h"

namespace {

// One step of a round: from frame `from` (within the round) for `frames` frames, these keys.
struct Step {
    int from;
    int frames;
    SDLKey keys[2];
};

const SDLKey NONE = SDLK_UNKNOWN;

// The robots start 10 apart. Paper then rock at long range releases the special; each walking
// frame closes the gap by 0.5; close range strikes hurt; both winding up with paper and
// releasing with rock together calls the duel, whose exchanges take the signs given at its
// countdown.
const Step ROUND[] = {
    {0, 1, {SDLK_x, NONE}},            // player 1 winds up with paper
    {10, 1, {SDLK_z, NONE}},           // ... and releases it with rock: the special
    {60, 18, {SDLK_d, SDLK_LEFT}},     // both walk in
    {80, 1, {SDLK_x, NONE}},           // punch
    {98, 1, {NONE, SDLK_m}},           // head punch
    {116, 1, {SDLK_c, NONE}},          // head punch
    {134, 1, {NONE, SDLK_n}},          // punch
    {152, 16, {SDLK_a, SDLK_RIGHT}},   // both walk apart
    {170, 1, {SDLK_x, SDLK_n}},        // both wind up with paper
    {180, 1, {SDLK_z, SDLK_b}},        // both release with rock: the duel
    {215, 1, {SDLK_x, SDLK_c}},        // first exchange
    {255, 1, {SDLK_c, SDLK_b}},        // second exchange
    {295, 1, {SDLK_z, SDLK_z}},        // third: player 2's key is player 1's, a wrong key
    {360, 0, {NONE, NONE}},            // end of the round
};

}  // namespace

const int FIGHT_SCRIPT_FRAMES = 360;

std::vector<SDLKey> scriptedKeys(int frame) {
    int inRound = frame % FIGHT_SCRIPT_FRAMES;
    std::vector<SDLKey> keys;
    for (const Step& step : ROUND) {
        if (inRound >= step.from && inRound < step.from + step.frames) {
            for (SDLKey key : step.keys) {
                if (key != NONE) {
                    keys.push_back(key);
                }
            }
        }
    }
    return keys;
}

namespace {

const SDLKey PLAYER_KEYS[2][6] = {
    {SDLK_a, SDLK_d, SDLK_z, SDLK_x, SDLK_c, NONE},
    {SDLK_LEFT, SDLK_RIGHT, SDLK_b, SDLK_n, SDLK_m, NONE},
};
// Keys that add a stage to towers 3, 4 and 5 by hand.
const SDLKey TOWER_KEYS[3] = {SDLK_f, SDLK_g, SDLK_h};

}  // namespace

RandomPlayer::RandomPlayer(unsigned int seed) : state(seed * 2654435761u + 7u), held{NONE, NONE}, heldFor{0, 0} {}

int RandomPlayer::below(int bound) {
    state = state * 1103515245u + 12345u;
    return (int)((state >> 8) % (unsigned int)bound);
}

std::vector<SDLKey> RandomPlayer::keys() {
    std::vector<SDLKey> keys;
    for (int player = 0; player < 2; player++) {
        if (heldFor[player] == 0) {
            held[player] = PLAYER_KEYS[player][below(6)];
            heldFor[player] = 1 + below(30);
        }
        heldFor[player]--;
        // Walking is a key per frame; a sign is given once and then held in mind.
        bool walking = held[player] == PLAYER_KEYS[player][0] || held[player] == PLAYER_KEYS[player][1];
        if (held[player] != NONE && (walking || below(8) == 0)) {
            keys.push_back(held[player]);
        }
    }
    if (below(200) == 0) {
        keys.push_back(TOWER_KEYS[below(3)]);
    }
    return keys;
}

void pushKeys(const std::vector<SDLKey>& keys) {
    for (SDLKey key : keys) {
        SDL_Event event;
        event.type = SDL_KEYDOWN;
        event.key.type = SDL_KEYDOWN;
        event.key.state = SDL_PRESSED;
        event.key.which = 0;
        event.key.keysym.scancode = 0;
        event.key.keysym.sym = key;
        event.key.keysym.mod = KMOD_NONE;
        event.key.keysym.unicode = 0;
        SDL_PushEvent(&event);
    }
}
