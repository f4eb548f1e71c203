// Mesh: one robot pose as four lists of number tuples (vertices, vt pairs, normals, faces).
#ifndef VANTORIX_MESH_H
#define VANTORIX_MESH_H

#include <vector>

// A face row holds nine numbers: vertex, vt and normal index of each of its three corners.
typedef std::vector<double> MeshRow;
typedef std::vector<MeshRow> MeshList;
// Components 0 vertices, 1 vt pairs, 2 normals, 3 faces; copied by value everywhere.
typedef std::vector<MeshList> Mesh;

enum MeshComponent { MESH_VERTICES = 0, MESH_COLORS = 1, MESH_NORMALS = 2, MESH_FACES = 3 };

#endif
