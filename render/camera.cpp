// Camera: pulls the view back with the players' separation and turns it toward their middle.
#include "render/camera.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

// Below a separation of 1 the camera keeps its closest distance.
static const float CLOSEST_DISTANCE = 1.8f;

Camera::Camera() : distance(0.0f), middle(0.0f) {}

Camera::~Camera() {}

void Camera::updateCamera(float position1, float position2) {
    float separation = position2 - position1;
    if (separation < 1) {
        distance = CLOSEST_DISTANCE;
    } else {
        distance = (float)((separation + 2) * 0.6);
    }
    middle = (position1 + position2) / 2;
}

// The caller pops the matrix pushed here once the scene is drawn; what stays is the bare
// look-at, in which the overlay is drawn so that it does not move with the camera.
void Camera::placeCamera() const {
    gluLookAt(0.0, 0.0, 0.6, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
    glPushMatrix();
    // The arc tangent in radians times 20, used as degrees: a deliberately gentle turn.
    glRotatef((float)(20.0 * std::atan(middle / distance)), 0.0f, 1.0f, 0.0f);
    glTranslatef(middle / -2.0f, 0.0f, -distance);
}
