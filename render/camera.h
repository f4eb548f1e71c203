// Camera: keeps both robots in view by pulling back with their separation and turning to their middle.
#ifndef VANTORIX_CAMERA_H
#define VANTORIX_CAMERA_H

class Camera {
public:
    float distance;
    float middle;

    Camera();
    ~Camera();

    void updateCamera(float position1, float position2);
    void placeCamera() const;
};

#endif
