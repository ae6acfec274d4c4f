#pragma once
// Immediate mode: triangles and lines drawn at once into the camera being updated, in the
// current material, depth-tested. Inside a clump's render callback positions are in the clump's
// frame, elsewhere in the scene's. Colours are light values in 16.16 fixed point (0x10000 =
// full light, see kQueryLightingValue), texture coordinates too (0x10000 = 1.0).

#include "render3d/material.h"
#include "render3d/math.h"

#include <cstdint>
#include <span>

namespace q71::r3d {

struct ImmediateVertex {
    Vec3 position;
    std::int32_t red = 0x10000, green = 0x10000, blue = 0x10000;
    std::int32_t u = 0, v = 0;
};

/// The three-vertex buffer.
std::span<ImmediateVertex, 3> immediateBuffer();
/// Starts a batch in the material; false (and nothing drawn) without a camera being updated.
bool beginImmediate(Material& material);
/// A triangle of the buffer's vertices.
void immediateTriangle();
/// A triangle of three vertices of a list (0-based); ignored when one lies outside it.
void immediateTriangle(std::span<const ImmediateVertex> list, int a, int b, int c);
/// A line segment, both ends drawn, in the light of its ends.
void immediateLine(const ImmediateVertex& a, const ImmediateVertex& b);
void endImmediate();

} // namespace q71::r3d
