// The robot drawn as it was before arrays, one GL call a normal and a vertex: the reference the
// array drawing is timed and checked against.
#ifndef VANTORIX_BENCH_ROBOT_REFERENCE_H
#define VANTORIX_BENCH_ROBOT_REFERENCE_H

#include <GL/gl.h>

#include "animation/Mesh.h"

inline void drawOneCallPerVertex(const Mesh& pose) {
    const MeshList& vertices = pose[MESH_VERTICES];
    const MeshList& normals = pose[MESH_NORMALS];
    glBegin(GL_TRIANGLES);
    for (const MeshRow& face : pose[MESH_FACES]) {
        for (int corner = 0; corner < 3; corner++) {
            int n = (int)face[corner * 3 + 2] - 1;
            if (n >= 0 && n < (int)normals.size()) {
                glNormal3d(normals[n][0], normals[n][1], normals[n][2]);
            }
            const MeshRow& v = vertices[(int)face[corner * 3] - 1];
            glVertex3d(v[0] / 4.0, v[1] / 4.0, v[2] / 4.0);
        }
    }
    glEnd();
}

#endif
