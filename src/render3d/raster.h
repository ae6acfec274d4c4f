#pragma once
// The rasteriser: triangles and lines in screen space, drawn into a camera image with a depth
// test. Pixel (x, y) covers [x, x + 1) x [y, y + 1) and is drawn when its centre lies inside a
// triangle (on a shared left or top edge it belongs to one triangle only).

#include "render3d/camera.h"
#include "render3d/texture.h"

#include <cstddef>
#include <cstdint>

namespace q71::r3d {

/// A projected vertex. Attributes that vary across the screen in a straight line: depth (larger
/// is nearer), q (1 / distance for perspective, 1 for parallel), texture coordinates in texels
/// times q, the light per channel (256 = full) and the fog (0 none ... 256 full).
struct ScreenVertex {
    float x = 0.0f, y = 0.0f;
    float depth = 0.0f;
    float q = 1.0f;
    float uq = 0.0f, vq = 0.0f;
    float red = 0.0f, green = 0.0f, blue = 0.0f;
    float fog = 0.0f;
};

struct TriangleStyle {
    /// Null for an untextured triangle, whose colour is the light alone.
    const Texture* texture = nullptr;
    /// Work out the perspective every 16 pixels only.
    bool coarsePerspective = false;
    /// 0 ... 255, times each texel's alpha.
    int opacity = 255;
    /// Blended and leaving the depth as it was.
    bool translucent = false;
    bool nightVision = false;
};

/// Where the rasteriser draws.
struct RasterTarget {
    std::uint16_t* pixels = nullptr;
    /// Pixels from one row to the next.
    std::ptrdiff_t rowStep = 0;
    float* depth = nullptr;
    std::ptrdiff_t depthStep = 0;
    /// Pixels outside are left alone.
    Viewport clip;
    /// The colour fog blends toward.
    int fogRed = 0, fogGreen = 0, fogBlue = 0;
};

RasterTarget rasterTarget(Camera& camera);
void rasteriseTriangle(const RasterTarget& target, const ScreenVertex (&v)[3], const TriangleStyle& style);
/// A one-pixel line from a to b, both ends drawn; untextured.
void rasteriseLine(const RasterTarget& target, const ScreenVertex& a, const ScreenVertex& b,
                   const TriangleStyle& style);

} // namespace q71::r3d
