// Lens flare: the sun, its cross-shaped glare and two halos, added onto the picture far out.
#include "scenery/lensflare.h"

#include <GL/gl.h>

#include "animation/texture.h"

unsigned int textureId1 = 0;
unsigned int textureId2 = 0;
unsigned int textureId3 = 0;

static void makeTexture(const char* fileName, unsigned int* name) {
    glGenTextures(1, name);
    loadBmpTexture(fileName, *name, true);
}

void initLensFlare() {
    makeTexture("sun.bmp", &textureId1);
    makeTexture("croix.bmp", &textureId2);
    makeTexture("halo.bmp", &textureId3);
}

// One square of the flare; texture row 0 lies along the lower edge, so the pictures come out
// upside down.
static void drawQuad(float low, float high, float z) {
    glBegin(GL_QUADS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(low, low, z);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(low, high, z);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(high, high, z);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(high, low, z);
    glEnd();
}

static void enterFlareFrame(float angle) {
    glPushMatrix();
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
    glRotatef(50.0f, 0.0f, 0.0f, 1.0f);
}

void drawLensFlare(float angle) {
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glRotatef(-40.0f, 0.0f, 0.0f, 1.0f);
    glBlendFunc(GL_ONE, GL_ONE);
    // The flare only adds light: written depth would hide the glare behind the sun, and the stars.
    glDepthMask(GL_FALSE);

    enterFlareFrame(angle);
    glBindTexture(GL_TEXTURE_2D, textureId1);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawQuad(0.0f, 4.0f, -30.0f);
    glBindTexture(GL_TEXTURE_2D, textureId2);
    glColor3f(1.0f, 1.0f, 1.0f);
    drawQuad(-2.0f, 6.0f, -30.0f);
    glPopMatrix();

    enterFlareFrame(angle);
    glBindTexture(GL_TEXTURE_2D, textureId3);
    glColor4f(0.5f, 0.5f, 1.0f, 0.8f);
    drawQuad(1.0f, 2.2f, -25.0f);
    glPopMatrix();

    enterFlareFrame(angle);
    glBindTexture(GL_TEXTURE_2D, textureId3);
    glColor4f(1.0f, 0.5f, 0.5f, 0.8f);
    drawQuad(0.7f, 1.8f, -20.0f);
    glPopMatrix();

    glPopMatrix();
    glDepthMask(GL_TRUE);
    // The rest of the frame blends by alpha and draws untextured.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_TEXTURE_2D);
}
