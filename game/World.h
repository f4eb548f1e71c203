// World: the fight value and what presents it: the engine, the motion library, the camera.
#ifndef VANTORIX_WORLD_H
#define VANTORIX_WORLD_H

#include <atomic>
#include <vector>

#include "animation/moves.h"
#include "render/Moteur3d.h"
#include "render/camera.h"
#include "rules/fight.h"
#include "rules/step.h"

class World {
public:
    Moteur3d moteur;
    Moves moves;
    Camera camera;
    // Everything the rules carry from frame to frame, and the rules that step it: stepFight, or
    // in a test, the rules of a machine that has gone out of step.
    Fight fight;
    FightRules rules = stepFight;
    // Where each robot was last drawn: the drawing's, never read by the rules.
    float drawPos1 = 0;
    float drawPos2 = 0;
    // The poses drawn last frame, kept so that the next frame's poses reuse their rows.
    Mesh drawnPose1;
    Mesh drawnPose2;
    bool webcamOn = false;
    int left1 = 0;
    int right1 = 0;
    int up1 = 0;
    int down1 = 0;
    int sign1 = 0;
    int left2 = 0;
    int right2 = 0;
    int up2 = 0;
    int down2 = 0;
    int sign2 = 0;
    // The tower keys (f, g, h) pressed in this frame, as TOWER_KEY_* bits of frame_inputs.h;
    // their stages are raised as the keys come in.
    int towerKeys = 0;
    // False while a recorded fight drives the robots: the tower keys then do nothing, so that
    // nothing live mixes into the recorded frames (which replace the walking and signs).
    bool liveInputs = true;
    // The lives as the webcam worker's overlay shows them, set from the fight after each update:
    // the worker reads them on its own thread, hence whole-value atomics.
    std::atomic<int> shownLife1{0};
    std::atomic<int> shownLife2{0};
    // The strikes (punch or head punch, in order) that started in the last update: the rules
    // only report them, and the frame plays their sounds, so an update can run without sound.
    std::vector<int> strikeSounds;

    World();
    ~World();

    void init();
    // The fight's starting values and the inputs cleared, without touching window or files.
    void setStartingValues();
    // The lives the overlay shows, from the fight.
    void showLives();

    void handleEvents();
    void handleWebcamEvents(int baryX1, int baryY1, int baryX2, int baryY2, int rps1, int rps2);
    void setInputs();
    // Notes the tower keys given as TOWER_KEY_* bits in towerKeys; the rules raise their stages.
    void pressTowerKeys(int keys);

    // One frame of the rules on this frame's inputs, then what it reported: the camera, the
    // strikes' sounds, the sparks, the lives the overlay shows. Without inputs, on those the
    // keys and the webcam noted in the world.
    void update(const FrameInputs& inputs);
    void update();
    // What one step of the rules reported: the camera, the strikes' sounds, the sparks, the
    // lives the overlay shows.
    void showEvents(const FightEvents& events);
    void display();
    // The fight as it stands, its sparks held still: under the pause screen.
    void displayPaused();
    // The backdrop alone, seen turned by this many degrees about the vertical: behind the start
    // screen.
    void displayScenery(float turn);

private:
    void drawFight(bool sparksFly);
};

#endif
