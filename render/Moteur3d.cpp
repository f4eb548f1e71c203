// Moteur3d: the game window with its fixed projection, lights and blending, and the sound's start.
#include "render/Moteur3d.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>

#include "render/game_window.h"

// The sound is the shell's; it tells the engine how to start it as the engine's last start-up step.
static void (*soundStart)() = nullptr;

void setSoundStart(void (*start)()) { soundStart = start; }

Moteur3d::Moteur3d() {}

Moteur3d::~Moteur3d() {}

void setProjection() {
    applyPictureViewport();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, 1.3333333333333333, 0.1, 100.0);
    // The viewer's standing point belongs to the projection; the camera works on top of it.
    gluLookAt(0.0, 0.0, 5.0, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setLightingAndBlending() {
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    const GLfloat position[4] = {1.0f, 2.0f, 1.0f, 1.0f};
    const GLfloat diffuse[4] = {0.9f, 0.9f, 0.9f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void Moteur3d::init() {
    openGameWindow();
    setProjection();
    setLightingAndBlending();
    if (soundStart != nullptr) {
        soundStart();
    }
}

void Moteur3d::setLight() {
    const GLfloat position[4] = {1.0f, 2.0f, 1.0f, 1.0f};
    const GLfloat diffuse[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
}

void Moteur3d::handleEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
    }
}
