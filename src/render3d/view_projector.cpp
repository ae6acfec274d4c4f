#include "render3d/view_projector.h"
#include "render3d/fog.h"

#include <algorithm>

namespace q71::r3d {

namespace {

constexpr int kPlanes = 6;
// The side planes stand a little outside the view window; the rasteriser cuts the rest exactly.
constexpr float kSideMargin = 1.01f;

ViewVertex between(const ViewVertex& a, const ViewVertex& b, float t) {
    auto mix = [t](float x, float y) { return x + (y - x) * t; };
    return {{mix(a.p.x, b.p.x), mix(a.p.y, b.p.y), mix(a.p.z, b.p.z)},
            mix(a.u, b.u),
            mix(a.v, b.v),
            mix(a.red, b.red),
            mix(a.green, b.green),
            mix(a.blue, b.blue),
            mix(a.fog, b.fog)};
}

} // namespace

ViewProjector::ViewProjector(const Camera& camera)
    : camera_(camera), view_(inverse(camera.frame())), perspective_(camera.projection == Projection::Perspective),
      windowX_(camera.viewWindowX * kSideMargin), windowY_(camera.viewWindowY * kSideMargin) {
    const Viewport& v = camera.viewport;
    centreX_ = static_cast<float>(v.x) + static_cast<float>(v.width) * 0.5f;
    centreY_ = static_cast<float>(v.y) + static_cast<float>(v.height) * 0.5f;
    scaleX_ = static_cast<float>(v.width) * 0.5f / camera.viewWindowX;
    scaleY_ = static_cast<float>(v.height) * 0.5f / camera.viewWindowY;
    if (const Fog* fog = fogInForce(); fog && fog->distance < camera.farClip) {
        fog_ = true;
        fogStart_ = fog->distance;
        fogScale_ = 256.0f / (camera.farClip - fog->distance);
    }
}

float ViewProjector::fogAt(float z) const {
    if (!fog_)
        return 0.0f;
    return std::clamp((z - fogStart_) * fogScale_, 0.0f, 256.0f);
}

float ViewProjector::distance(int plane, Vec3 p) const {
    const float reach = perspective_ ? p.z : 1.0f;
    switch (plane) {
    case 0:
        return p.z - camera_.nearClip;
    case 1:
        return camera_.farClip - p.z;
    case 2:
        return windowX_ * reach + p.x;
    case 3:
        return windowX_ * reach - p.x;
    case 4:
        return windowY_ * reach - p.y;
    default:
        return windowY_ * reach + p.y;
    }
}

unsigned ViewProjector::outcode(Vec3 p) const {
    unsigned code = 0;
    for (int plane = 0; plane < kPlanes; ++plane)
        code |= distance(plane, p) < 0.0f ? 1u << plane : 0u;
    return code;
}

int ViewProjector::clip(const ViewVertex (&in)[3], ViewVertex (&out)[kMaxClippedVertices]) const {
    const unsigned a = outcode(in[0].p), b = outcode(in[1].p), c = outcode(in[2].p);
    if (a & b & c)
        return 0;
    const unsigned crossed = a | b | c;
    std::copy(std::begin(in), std::end(in), out);
    int n = 3;
    for (int plane = 0; plane < kPlanes && n > 0; ++plane) {
        if (!(crossed & (1u << plane)))
            continue;
        ViewVertex kept[kMaxClippedVertices];
        int m = 0;
        for (int i = 0; i < n; ++i) {
            const ViewVertex& a = out[i];
            const ViewVertex& b = out[(i + 1) % n];
            const float da = distance(plane, a.p), db = distance(plane, b.p);
            if (da >= 0.0f)
                kept[m++] = a;
            if ((da >= 0.0f) != (db >= 0.0f) && m < kMaxClippedVertices)
                kept[m++] = between(a, b, da / (da - db));
        }
        n = std::min(m, kMaxClippedVertices);
        std::copy(kept, kept + n, out);
    }
    return n >= 3 ? n : 0;
}

ScreenVertex ViewProjector::project(const ViewVertex& v, float uScale, float vScale, float uShift,
                                    float vShift) const {
    ScreenVertex s;
    const float q = perspective_ ? 1.0f / v.p.z : 1.0f;
    // Camera X runs to the left, screen x to the right.
    s.x = centreX_ - v.p.x * q * scaleX_;
    s.y = centreY_ - v.p.y * q * scaleY_;
    s.depth = perspective_ ? q : -v.p.z;
    s.q = q;
    s.uq = (v.u - uShift) * uScale * q;
    s.vq = (v.v - vShift) * vScale * q;
    s.red = v.red;
    s.green = v.green;
    s.blue = v.blue;
    s.fog = v.fog;
    return s;
}

} // namespace q71::r3d
