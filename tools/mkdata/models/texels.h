#pragma once
// Painting the data set's textures: seeded noise that tiles (its lattice wraps with the picture),
// colours, and texture records of the 3-D library's format.

#include "render3d/format.h"

#include <cstdint>
#include <functional>
#include <string>

namespace q71::mkdata::texels {

struct Rgba {
    float red = 0.0f, green = 0.0f, blue = 0.0f, alpha = 1.0f;
};

Rgba mix(Rgba a, Rgba b, float t);
float clamp01(float v);
float smoothstep(float edge0, float edge1, float v);

/// Smooth value noise over the unit square, 0 ... 1, on a lattice of `period` cells that wraps,
/// so the noise tiles across both edges.
float tileNoise(std::uint32_t seed, float u, float v, int period);
/// Octaves of tileNoise from `period` cells up, each twice as fine and half as strong; 0 ... 1.
float tileFractal(std::uint32_t seed, float u, float v, int period, int octaves);
/// A seeded hash of integers, 0 ... 1.
float hash01(std::uint32_t seed, std::int32_t x, std::int32_t y);

/// A texture of `frames` frames whose texel (u, v in 0 ... 1 at texel centres, frame) comes from
/// the painter.
r3d::TextureRecord paint(const std::string& name, int width, int height, int frames,
                         const std::function<Rgba(float u, float v, int frame)>& painter);

} // namespace q71::mkdata::texels
