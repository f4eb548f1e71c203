// The backdrop: the starfield and the turning Earth, with Mars and the lens flare drawn in place.
#include "scenery/backgrnd.h"

#include <GL/gl.h>

#include <cmath>
#include <cstdlib>

#include "animation/texture.h"
#include "scenery/Mars.h"
#include "scenery/lensflare.h"

static const double PI = 3.14159265;

int nbStars = 800;
float distanceStars = 40.0f;
std::vector<std::vector<float> > stars(nbStars, std::vector<float>(6, 0.0f));
unsigned int textureId = 0;
float angleRotationEarth = 0.0f;

// Four draws per star, always in this order, so that the unseeded sky is the same on every run.
static void createStars() {
    stars.assign(nbStars > 0 ? nbStars : 0, std::vector<float>(6, 0.0f));
    for (int i = 0; i < nbStars; i++) {
        double azimuth = (rand() % 10000) / 9999.0 * 2.0 * PI;
        double elevation = (rand() % 10000) / 9999.0 * PI - PI / 2.0;
        float red = (float)((rand() % 1000) / 999.0 * 0.5 + 0.5);
        float blue = (float)((rand() % 1000) / 999.0 * 0.5 + 0.5);
        std::vector<float>& star = stars[i];
        star[0] = (float)(std::cos(azimuth) * std::cos(elevation) * distanceStars);
        star[1] = (float)(std::sin(azimuth) * std::cos(elevation) * distanceStars);
        star[2] = (float)(std::sin(elevation) * distanceStars);
        star[3] = red;
        star[4] = 0.3f;
        star[5] = blue;
    }
}

static void drawStars() {
    glPointSize(2.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_POINTS);
    for (size_t i = 0; i < stars.size(); i++) {
        const std::vector<float>& star = stars[i];
        glColor3f(star[3], star[4], star[5]);
        glVertex3f(star[0], star[1], star[2]);
    }
    glEnd();
}

// The planets never change shape, so each is subdivided once into a display list that every frame
// replays: the same triangles in the same order, without sending them vertex by vertex again. The
// stars never move either: their 1,600 calls a frame become one.
enum PlanetList { EARTH_LIST, INNER_SHELL_LIST, OUTER_SHELL_LIST, MARS_LIST, STARS_LIST, PLANET_LIST_COUNT };
static unsigned int planetLists = 0;

static void compilePlanet(PlanetList which, void (*draw)(int, float), float radius) {
    glNewList(planetLists + which, GL_COMPILE);
    draw(3, radius);
    glEndList();
}

static void compilePlanetLists() {
    if (planetLists != 0) {
        glDeleteLists(planetLists, PLANET_LIST_COUNT);
    }
    // Without room for the lists the planets are simply drawn vertex by vertex every frame.
    planetLists = glGenLists(PLANET_LIST_COUNT);
    if (planetLists == 0) {
        return;
    }
    compilePlanet(EARTH_LIST, drawsphere, 4.0f);
    compilePlanet(INNER_SHELL_LIST, drawsphere, 4.4f);
    compilePlanet(OUTER_SHELL_LIST, drawsphere, 4.8f);
    compilePlanet(MARS_LIST, drawMars, 3.0f);
    glNewList(planetLists + STARS_LIST, GL_COMPILE);
    drawStars();
    glEndList();
}

static void drawPlanet(PlanetList which, void (*draw)(int, float), float radius) {
    if (planetLists != 0) {
        glCallList(planetLists + which);
    } else {
        draw(3, radius);
    }
}

static void makeBackdropTextures() {
    glGenTextures(1, &textureId);
    loadBmpTexture("earthmap1k.bmp", textureId, true);
}

void createBackground() {
    createStars();
    angleRotationEarth = 90.0f;
    makeBackdropTextures();
    createMars();
    initLensFlare();
    compilePlanetLists();
}

void remakeBackgroundGl() {
    makeBackdropTextures();
    initLensFlare();
    planetLists = 0;
    compilePlanetLists();
}

static void drawEarth() {
    glPushMatrix();
    glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
    // The Earth is opaque, so its far half never shows. The subdivision winds the triangles so
    // that GL's front faces are the ones turned away from the viewer: culling them leaves the
    // picture as it is and halves the texturing. The atmosphere's far half shows through.
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    drawPlanet(EARTH_LIST, drawsphere, 4.0f);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glColor4f(0.0f, 0.0f, 1.0f, 0.4f);
    drawPlanet(INNER_SHELL_LIST, drawsphere, 4.4f);
    glColor4f(0.0f, 0.0f, 1.0f, 0.2f);
    drawPlanet(OUTER_SHELL_LIST, drawsphere, 4.8f);
    glPopMatrix();
}

void drawBackground() {
    // The flare swings with the angle the Earth had before this frame's step.
    drawLensFlare(angleRotationEarth);
    glColor3f(1.0f, 1.0f, 1.0f);

    glTranslatef(-4.0f, -4.0f, -6.0f);
    glRotatef(-40.0f, 0.0f, 0.0f, 1.0f);
    angleRotationEarth += 1.0f;
    glRotatef(angleRotationEarth, 0.0f, 1.0f, 0.0f);

    drawEarth();

    glPushMatrix();
    glTranslatef(-6.0f, 6.0f, 30.0f);
    glRotatef(angleRotationEarth / -2.0f, -2.0f, 1.0f, 1.0f);
    drawPlanet(MARS_LIST, drawMars, 3.0f);
    glPopMatrix();

    if (planetLists != 0) {
        glCallList(planetLists + STARS_LIST);
    } else {
        drawStars();
    }
}
