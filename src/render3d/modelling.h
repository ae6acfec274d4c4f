#pragma once
// Modelling mode: a clump built vertex by vertex and triangle by triangle, each triangle taking
// the surface colour and properties standing when it is added.

#include "render3d/clump.h"

namespace q71::r3d {

/// Starts a new clump (one left unfinished is destroyed).
void beginModelling();
/// Adds a vertex with texture coordinates; its 1-based number, 0 when not modelling.
int modelVertex(Vec3 position, float u, float v);
/// Adds a triangle of vertex numbers; false for a bad number or when not modelling.
bool modelTriangle(int a, int b, int c);
/// The colour (channels 0 ... 1) of the triangles added from now on.
void modelSurfaceColour(float red, float green, float blue);
/// The ambient, diffuse and specular values of the triangles added from now on.
void modelSurfaceProperties(float ambient, float diffuse, float specular);
/// The finished clump (the caller's), or null when not modelling.
Clump* endModelling();
/// Drops a clump being modelled.
void abandonModelling();

} // namespace q71::r3d
