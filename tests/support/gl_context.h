// Test support: one real SDL OpenGL window per test program, feedback capture and read-back.
#ifndef VANTORIX_TEST_GL_CONTEXT_H
#define VANTORIX_TEST_GL_CONTEXT_H

#include <functional>
#include <vector>

// Opens the 800 x 600 OpenGL window once (later calls do nothing). Runs under Xvfb in the tests.
void openTestGlWindow();

struct FeedbackVertex {
    float x, y, z;        // object coordinates (unprojected from the window)
    float r, g, b, a;     // colour as the pipeline produced it (lit when lighting is on)
    float s, t;           // texture coordinate
};

enum FeedbackKind { FEEDBACK_POINT, FEEDBACK_LINE, FEEDBACK_POLYGON };

struct FeedbackPrimitive {
    FeedbackKind kind;
    std::vector<FeedbackVertex> vertices;
};

// Runs draw in feedback mode with an orthographic projection spanning -10..10 on every axis and
// the modelview the draw leaves in place (identity at the start), and returns what it emitted,
// in the object coordinates of that identity frame. Quads come back as polygons.
std::vector<FeedbackPrimitive> captureFeedback(const std::function<void()>& draw);

// Current depth of the modelview matrix stack.
int modelviewDepth();

// Reads the colour of one pixel of the back buffer (x, y from the lower-left corner).
void readPixel(int x, int y, unsigned char rgb[3]);

#endif
