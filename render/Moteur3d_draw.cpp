// Moteur3d's drawing: robots, sparks, billboards, towers, life bars and the placing of a robot.
#include <GL/gl.h>

#include <cstddef>
#include <vector>

#include "render/Moteur3d.h"

// Index numbers in a mesh count from 1 and are truncated toward zero; out-of-table numbers
// (including ones too large for an int) give -1.
static int tableIndex(double number, std::size_t tableSize) {
    if (!(number >= 1.0 && number < (double)tableSize + 1.0)) {
        return -1;
    }
    return (int)number - 1;
}

static bool faceIsDrawable(const MeshRow& face, const MeshList& vertices) {
    if (face.size() < 9) {
        return false;
    }
    for (int corner = 0; corner < 3; corner++) {
        int v = tableIndex(face[corner * 3], vertices.size());
        if (v < 0 || vertices[v].size() < 3) {
            return false;
        }
    }
    return true;
}

// The corners of a pose, as the GL takes them from arrays: x, y, z of each corner's vertex and
// normal. Kept between frames so that a frame allocates nothing.
static std::vector<GLfloat> cornerVertices;
static std::vector<GLfloat> cornerNormals;

// A robot is about 3,400 corners: handed over in two arrays and one call instead of two calls a
// corner. The numbers are the ones the one-call-per-vertex way gave the GL (doubles cut to
// floats), so the pixels are the same.
void Moteur3d::draw(const Mesh& pose) {
    cornerVertices.clear();
    cornerNormals.clear();
    if (pose.size() > MESH_FACES) {
        const MeshList& vertices = pose[MESH_VERTICES];
        const MeshList& normals = pose[MESH_NORMALS];
        // A corner without a usable normal keeps the one before it, as the GL's current normal
        // would; the first corner's comes from whatever the GL held.
        GLfloat normal[3] = {0.0f, 0.0f, 1.0f};
        bool normalKnown = false;
        // A face with a vertex outside its table is left out whole, so that the
        // triangles after it keep their corners together.
        for (const MeshRow& face : pose[MESH_FACES]) {
            if (!faceIsDrawable(face, vertices)) {
                continue;
            }
            for (int corner = 0; corner < 3; corner++) {
                int n = tableIndex(face[corner * 3 + 2], normals.size());
                if (n >= 0 && normals[n].size() >= 3) {
                    normal[0] = (GLfloat)normals[n][0];
                    normal[1] = (GLfloat)normals[n][1];
                    normal[2] = (GLfloat)normals[n][2];
                    normalKnown = true;
                } else if (!normalKnown) {
                    glGetFloatv(GL_CURRENT_NORMAL, normal);
                    normalKnown = true;
                }
                const MeshRow& v = vertices[tableIndex(face[corner * 3], vertices.size())];
                cornerVertices.insert(cornerVertices.end(), {(GLfloat)(v[0] / 4.0), (GLfloat)(v[1] / 4.0),
                                                             (GLfloat)(v[2] / 4.0)});
                cornerNormals.insert(cornerNormals.end(), normal, normal + 3);
            }
        }
    }
    if (cornerVertices.empty()) {
        return;
    }
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_NORMAL_ARRAY);
    glVertexPointer(3, GL_FLOAT, 0, cornerVertices.data());
    glNormalPointer(GL_FLOAT, 0, cornerNormals.data());
    glDrawArrays(GL_TRIANGLES, 0, (GLsizei)(cornerVertices.size() / 3));
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    // The sparks drawn next are lit with the current normal: the last corner's, as before.
    glNormal3fv(&cornerNormals[cornerNormals.size() - 3]);
}

void Moteur3d::draw(const RecordList& particles) {
    glBegin(GL_LINES);
    for (const Record& p : particles) {
        if (p.size() < SPARK_FIELDS) {
            continue;
        }
        const float* color = p[SPARK_OF_PLAYER1] > 0.5f ? PLAYER1_COLOR : PLAYER2_COLOR;
        const float* at = &p[SPARK_POSITION];
        const float* velocity = &p[SPARK_VELOCITY];
        glColor4f(color[0], color[1], color[2], p[SPARK_OPACITY]);
        glVertex3f(at[0], at[1], at[2]);
        glVertex3f(at[0] + 0.01f * velocity[0], at[1] + 0.01f * velocity[1],
                   at[2] + 0.01f * velocity[2]);
    }
    glEnd();
}

void Moteur3d::draw(const unsigned int* textures, int slot, float x, float y, float width,
                    float height, float opacity) {
    if (textures == nullptr || slot < 0 || slot >= NB_TEXTURES) {
        return;
    }
    x *= 2.0f;
    width *= 2.0f;
    y *= 1.5f;
    height *= 1.5f;
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glBindTexture(GL_TEXTURE_2D, textures[slot]);
    glBegin(GL_QUADS);
    glColor4f(1.0f, 1.0f, 1.0f, opacity);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex3f(x, y, 2.0f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex3f(x + width, y, 2.0f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex3f(x + width, y + height, 2.0f);
    glTexCoord2f(0.0f, 0.0f);
    glVertex3f(x, y + height, 2.0f);
    glEnd();
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
}

// Where record k of n goes in a tower drawn in the given mode, in overlay units.
struct TowerPlace {
    float x, y, width, height;
};

static TowerPlace towerPlace(int mode, int k, int n) {
    float step = (float)(n - 1 - k);
    switch (mode) {
        case 1: return TowerPlace{-0.98f, 0.2f - 0.2f * step, 0.18f, 0.18f};
        case 2: return TowerPlace{0.8f, 0.2f - 0.2f * step, 0.18f, 0.18f};
        case 3: return TowerPlace{-0.78f, -0.4f - 0.1f * step, 0.18f, 0.08f};
        case 4: return TowerPlace{0.6f, -0.4f - 0.1f * step, 0.18f, 0.08f};
        default: return TowerPlace{-0.5f, -0.9f, 1.0f, 0.2f};
    }
}

void Moteur3d::draw(const Tower& tower, int mode, const unsigned int* textures) {
    int n = tower.count;
    for (int k = n - 1; k >= 0; k--) {
        const Stage& stage = tower.stages[k];
        if (stage.slot < 0 || stage.slot >= NB_TEXTURES) {
            continue;
        }
        TowerPlace place = towerPlace(mode, k, n);
        draw(textures, stage.slot, place.x, place.y, place.width, place.height, stage.opacity);
    }
}

static void lifeBar(float left, float life) {
    float length = life / 100.0f;
    const float bottom = 1.125f;
    const float top = 1.215f;
    glNormal3f(0.0f, 0.0f, 1.0f);
    glColor4f(1.0f, 0.0f, 0.0f, 1.0f);
    glVertex3f(left, top, 2.0f);
    glVertex3f(left, bottom, 2.0f);
    glColor4f(1.0f - life / 100.0f, life / 100.0f, 0.0f, 1.0f);
    glVertex3f(left + length, bottom, 2.0f);
    glVertex3f(left + length, top, 2.0f);
}

void Moteur3d::displayLife(float life1, float life2) {
    if (!(life1 > 0.0f)) {
        life1 = 0.0f;
    }
    if (!(life2 > 0.0f)) {
        life2 = 0.0f;
    }
    glDisable(GL_LIGHTING);
    glBegin(GL_QUADS);
    lifeBar(-0.85f * 2.0f, life1);
    lifeBar(0.35f * 2.0f, life2);
    glEnd();
    glEnable(GL_LIGHTING);
}

float Moteur3d::placeJoueur(int player, float left, float right, float reach) {
    float gap = right - left;
    float m = reach <= gap ? reach : gap;
    float x;
    const float* color;
    if (player == 1) {
        x = right - m;
        glTranslatef(x, 0.0f, 0.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        color = PLAYER1_COLOR;
    } else {
        x = left + m;
        glTranslatef(x, 0.0f, 0.0f);
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        color = PLAYER2_COLOR;
    }
    glColor4f(color[0], color[1], color[2], 1.0f);
    return x;
}
