// Sound: the looping background music and the two strike effects, over SDL_mixer.
#ifndef VANTORIX_SON_H
#define VANTORIX_SON_H

#include <SDL/SDL_mixer.h>

#include <vector>

extern Mix_Music* music;
extern Mix_Chunk* sound1;
extern Mix_Chunk* sound2;

void initSon();
void playBackgroundMusic();
void musicFinished();
void playSound1();
void playSound2();
// The music's and the effects' volumes, each 0 to 100 (full, as at start); kept for a mixer
// opened later.
void setVolumes(int musicVolume, int effectsVolume);
// The sounds of the strikes an update started: a head punch plays sound1, a punch sound2.
void playStrikeSounds(const std::vector<int>& strikes);

#endif
