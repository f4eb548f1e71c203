// Moteur3d: the game window, the fixed projection and lights, and every non-scenery drawing.
#ifndef VANTORIX_MOTEUR3D_H
#define VANTORIX_MOTEUR3D_H

#include "animation/Mesh.h"
#include "animation/moves.h"
#include "rules/towers.h"

// Player tints, shared by the robots and their sparks.
const float PLAYER1_COLOR[3] = {0.4f, 0.4f, 1.0f};
const float PLAYER2_COLOR[3] = {1.0f, 0.4f, 0.4f};

// The fixed projection, then the lights, depth test and blending that init sets on the open
// window once; split out so that a drawing can be checked under exactly the game's state.
void setProjection();
void setLightingAndBlending();

// Registers what starts the sound (device, effects, music); init calls it last.
void setSoundStart(void (*start)());

class Moteur3d {
public:
    Moteur3d();
    ~Moteur3d();

    void init();
    void setLight();
    void draw(const Mesh& pose);
    void draw(const RecordList& particles);
    void draw(const Tower& tower, int mode, const unsigned int* textures);
    void draw(const unsigned int* textures, int slot, float x, float y, float width, float height,
              float opacity);
    void displayLife(float life1, float life2);
    float placeJoueur(int player, float left, float right, float reach);
    void handleEvents();
};

#endif
