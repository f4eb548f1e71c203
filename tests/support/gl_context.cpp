// Test support: one real SDL OpenGL window per test program, feedback capture and read-back.
#include "tests/support/gl_context.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL/SDL.h>
#include <cstdio>
#include <cstdlib>

void openTestGlWindow() {
    static bool open = false;
    if (open) {
        return;
    }
    if (SDL_Init(SDL_INIT_VIDEO) != 0 || SDL_SetVideoMode(800, 600, 32, SDL_OPENGL) == NULL) {
        std::fprintf(stderr, "test GL window: %s\n", SDL_GetError());
        std::abort();
    }
    open = true;
}

int modelviewDepth() {
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    return depth;
}

void readPixel(int x, int y, unsigned char rgb[3]) {
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb);
}

static FeedbackVertex readVertex(const std::vector<GLfloat>& buffer, size_t& at) {
    static const GLdouble identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    GLdouble projection[16];
    GLint viewport[4];
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    FeedbackVertex v;
    GLdouble ox, oy, oz;
    gluUnProject(buffer[at], buffer[at + 1], buffer[at + 2], identity, projection, viewport, &ox,
                 &oy, &oz);
    v.x = (float)ox;
    v.y = (float)oy;
    v.z = (float)oz;
    v.r = buffer[at + 3];
    v.g = buffer[at + 4];
    v.b = buffer[at + 5];
    v.a = buffer[at + 6];
    v.s = buffer[at + 7];
    v.t = buffer[at + 8];
    at += 11;  // 3 window coordinates, 4 colour, 4 texture
    return v;
}

static std::vector<FeedbackPrimitive> parseFeedback(const std::vector<GLfloat>& buffer, int used) {
    std::vector<FeedbackPrimitive> result;
    size_t at = 0;
    while ((int)at < used) {
        GLint token = (GLint)buffer[at++];
        FeedbackPrimitive primitive;
        int count = 0;
        if (token == GL_POINT_TOKEN) {
            primitive.kind = FEEDBACK_POINT;
            count = 1;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            primitive.kind = FEEDBACK_LINE;
            count = 2;
        } else if (token == GL_POLYGON_TOKEN) {
            primitive.kind = FEEDBACK_POLYGON;
            count = (int)buffer[at++];
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            at++;
            continue;
        } else {  // bitmap and pixel tokens carry one vertex and are not drawn by the game
            at += 11;
            continue;
        }
        for (int i = 0; i < count; i++) {
            primitive.vertices.push_back(readVertex(buffer, at));
        }
        result.push_back(primitive);
    }
    return result;
}

std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw) {
    openTestGlWindow();
    std::vector<GLfloat> buffer(4 * 1024 * 1024);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(-10, 10, -10, 10, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glFeedbackBuffer((GLsizei)buffer.size(), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    std::vector<FeedbackPrimitive> result = parseFeedback(buffer, used < 0 ? 0 : used);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (used < 0) {
        std::fprintf(stderr, "feedback buffer overflow\n");
    }
    return result;
}
