// Sound: the looping background music and the two strike effects, over SDL_mixer.
#include "shell/Son.h"

#include <SDL/SDL.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include "animation/data_files.h"
#include "game/codes.h"
#include "platform/game_end.h"

Mix_Music* music = NULL;
Mix_Chunk* sound1 = NULL;
Mix_Chunk* sound2 = NULL;
// The volumes chosen, in hundredths of full; the mixer takes them once it is open.
static int musicShare = 100;
static int effectsShare = 100;
static bool mixerOpen = false;

static void applyVolumes() {
    Mix_VolumeMusic(MIX_MAX_VOLUME * musicShare / 100);
    Mix_Volume(-1, MIX_MAX_VOLUME * effectsShare / 100);
}

void setVolumes(int musicVolume, int effectsVolume) {
    musicShare = musicVolume;
    effectsShare = effectsVolume;
    if (mixerOpen) {
        applyVolumes();
    }
}

// SDL's error text says what is wrong but not with which file: the second line names it.
// A file that cannot be opened is not handed to the mixer, whose own complaint about the
// missing stream would hide the reason.
static Mix_Chunk* loadEffect(const char* fileName) {
    noteDataFile(fileName);
    SDL_RWops* stream = SDL_RWFromFile(fileName, "rb");
    Mix_Chunk* chunk = stream == NULL ? NULL : Mix_LoadWAV_RW(stream, 1);
    if (chunk == NULL) {
        std::fprintf(stderr, "Unable to load WAV file: %s\n", SDL_GetError());
        std::fprintf(stderr, "Vantorix: sound effect \"%s\" not loaded; the game goes on without it\n",
                     fileName);
    }
    return chunk;
}

void initSon() {
    if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 4096) != 0) {
        std::fprintf(stderr, "Unable to initialize audio: %s\n", SDL_GetError());
        endGame(1);
    }
    mixerOpen = true;
    if (musicShare != 100 || effectsShare != 100) {
        applyVolumes();
    }
    sound1 = loadEffect("explosion.wav");
    sound2 = loadEffect("sound.wav");
    noteDataFile("music.ogg");
    music = Mix_LoadMUS("music.ogg");
    if (music == NULL) {
        std::printf("Unable to load Ogg file: %s\n", SDL_GetError());
        std::fflush(stdout);
        std::fprintf(stderr, "Vantorix: the music \"music.ogg\" is missing or not an Ogg Vorbis "
                             "file; the game cannot start without it\n");
        endGame(1);
    }
}

void playBackgroundMusic() {
    if (Mix_PlayMusic(music, -1) == -1) {
        std::printf("Unable to play Ogg file: %s\n", SDL_GetError());
        endGame(1);
    }
    Mix_HookMusicFinished(musicFinished);
}

static std::atomic<bool> musicReleased{false};

static void releaseMusic() {
    Mix_HaltMusic();
    Mix_FreeMusic(music);
}

// SDL_mixer calls this from inside its own mixing, where calling back into the mixer would
// deadlock; the halt and release are carried out on a thread of their own, which waits for
// the mixer to finish its pass. The music is released once however often the hook runs.
void musicFinished() {
    if (musicReleased.exchange(true)) {
        return;
    }
    std::thread(releaseMusic).detach();
}

static void playEffect(Mix_Chunk* chunk) {
    if (Mix_PlayChannelTimed(-1, chunk, 0, -1) == -1) {
        std::fprintf(stderr, "Unable to play WAV file: %s\n", SDL_GetError());
    }
}

void playSound1() { playEffect(sound1); }

void playSound2() { playEffect(sound2); }

void playStrikeSounds(const std::vector<int>& strikes) {
    for (int move : strikes) {
        if (move == HEAD_PUNCH) {
            playSound1();
        } else if (move == PUNCH) {
            playSound2();
        }
    }
}
