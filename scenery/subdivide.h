// The recursive subdivision of an icosahedron face that both planets draw their spheres with.
#ifndef VANTORIX_SUBDIVIDE_H
#define VANTORIX_SUBDIVIDE_H

// Emits one leaf triangle of unit corners a, b, c on a sphere of the given radius.
typedef void (*LeafTriangle)(float* a, float* b, float* c, float radius);

// Splits the face depth times at its normalised midpoints, into (a, ab, ac), (b, bc, ab),
// (c, ac, bc) and (ab, bc, ac) in that order, each keeping its parent's winding.
void subdivideTriangle(float* a, float* b, float* c, int depth, float radius, LeafTriangle leaf);

#endif
