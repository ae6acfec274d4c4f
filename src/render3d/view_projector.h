#pragma once
// From the scene to the screen for one camera: camera-space vertices, clipping against the
// view volume, fog and projection. Drawing and picking both go through it.

#include "render3d/camera.h"
#include "render3d/raster.h"

namespace q71::r3d {

/// A vertex in the camera's space (X left, Y up, Z along the view) with what it carries: texture
/// coordinates, light per channel (256 = full) and fog (0 ... 256).
struct ViewVertex {
    Vec3 p;
    float u = 0.0f, v = 0.0f;
    float red = 0.0f, green = 0.0f, blue = 0.0f;
    float fog = 0.0f;
};

/// Most vertices a triangle clipped by the six planes can have.
constexpr int kMaxClippedVertices = 9;

class ViewProjector {
public:
    explicit ViewProjector(const Camera& camera);

    /// Scene to camera space.
    const Matrix& view() const { return view_; }
    /// The fog of a vertex at the distance along the view.
    float fogAt(float z) const;
    /// The planes of the view volume a camera-space point lies outside of, one bit each.
    unsigned outcode(Vec3 p) const;
    /// Clips a triangle to the view volume; returns the vertices of the convex piece left (0
    /// when nothing is).
    int clip(const ViewVertex (&in)[3], ViewVertex (&out)[kMaxClippedVertices]) const;
    /// Texture coordinates are scaled to texels after the shift is taken off.
    ScreenVertex project(const ViewVertex& v, float uScale, float vScale, float uShift, float vShift) const;

private:
    float distance(int plane, Vec3 p) const;

    const Camera& camera_;
    Matrix view_;
    bool perspective_;
    float windowX_, windowY_;
    float centreX_, centreY_, scaleX_, scaleY_;
    float fogStart_ = 0.0f, fogScale_ = 0.0f;
    bool fog_ = false;
};

} // namespace q71::r3d
