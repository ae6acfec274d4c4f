#include "render3d/frame_renderer.h"

#include <algorithm>
#include <cmath>

namespace q71::r3d {

namespace {

FrameRenderer* active = nullptr;

// Light arriving along the normal from every light, per channel.
Vec3 diffuseLight(const std::vector<Light>& lights, Vec3 normal) {
    Vec3 sum;
    for (const Light& l : lights) {
        const float d = -dot(normal, l.direction);
        if (d > 0.0f)
            sum = sum + Vec3{l.red * d, l.green * d, l.blue * d};
    }
    return sum;
}

void walk(FrameRenderer& r, Clump& clump, const Matrix& parentWorld) {
    if (!clump.visible)
        return;
    const Matrix world = compose(parentWorld, clump.local());
    if (clump.renderCallback) {
        const Matrix savedFrame = r.frame;
        const Clump* savedClump = r.callbackClump;
        r.frame = world;
        r.callbackClump = &clump;
        // Called through a copy: a one-shot callback may clear itself while it runs.
        const RenderCallback callback = clump.renderCallback;
        callback(clump);
        r.frame = savedFrame;
        r.callbackClump = savedClump;
    } else {
        r.drawClump(clump, world);
    }
    // Children are walked over a copy: a callback may change the hierarchy.
    std::vector<Clump*> children;
    for (const auto& c : clump.children())
        children.push_back(c.get());
    for (Clump* c : children)
        walk(r, *c, world);
}

} // namespace

FrameRenderer::FrameRenderer(Camera& camera, const Scene* scene)
    : projector_(camera), target_(rasterTarget(camera)) {
    if (scene)
        for (const auto& l : scene->lights())
            lights_.push_back(*l);
}

TriangleStyle FrameRenderer::styleOf(const Material& m, float opacity) const {
    TriangleStyle s;
    s.texture = m.texture.get();
    s.coarsePerspective = m.textureMode == kTextureTintedFast;
    s.opacity = static_cast<int>(std::clamp(opacity, 0.0f, 1.0f) * 255.0f + 0.5f);
    s.translucent = s.opacity < 255 || (m.texture && m.texture->hasAlpha());
    s.nightVision = m.nightVision;
    return s;
}

void FrameRenderer::drawClump(const Clump& clump, const Matrix& world) {
    const std::size_t n = clump.vertices.size();
    viewPositions_.resize(n);
    normals_.resize(n);
    light_.resize(n);
    const Matrix toView = compose(projector_.view(), world);
    if (clump.sprite) {
        // A square facing the camera, as large as the clump's frame is scaled.
        const Vec3 centre = toView.t;
        const float size = length(world.c0);
        for (std::size_t i = 0; i < n; ++i) {
            const Vec3 p = clump.vertices[i].position;
            viewPositions_[i] = {centre.x - p.x * size, centre.y + p.y * size, centre.z};
            light_[i] = {};
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            viewPositions_[i] = toView.apply(clump.vertices[i].position);
            normals_[i] = normalised(world.applyDirection(clump.vertices[i].normal));
            light_[i] = diffuseLight(lights_, normals_[i]);
        }
    }
    outcodes_.resize(n);
    screen_.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
        outcodes_[i] = projector_.outcode(viewPositions_[i]);
        if (outcodes_[i] == 0)
            screen_[i] = projector_.project({viewPositions_[i], 0, 0, 0, 0, 0, projector_.fogAt(viewPositions_[i].z)},
                                           0, 0, 0, 0);
    }
    for (const auto& polygon : clump.polygons) {
        const Material& m = *polygon->material;
        const std::size_t index[3] = {static_cast<std::size_t>(polygon->a), static_cast<std::size_t>(polygon->b),
                                      static_cast<std::size_t>(polygon->c)};
        if (outcodes_[index[0]] & outcodes_[index[1]] & outcodes_[index[2]])
            continue; // wholly outside one plane of the view volume
        const bool flatShaded = m.shading == kShadingFlat && !clump.sprite;
        Vec3 flat;
        if (flatShaded)
            flat = diffuseLight(lights_, normalised(normals_[index[0]] + normals_[index[1]] + normals_[index[2]]));
        const Tint tint = materialTint(m);
        const float r = tint.red * 256.0f, g = tint.green * 256.0f, b = tint.blue * 256.0f;
        auto lit = [&](int k, float& red, float& green, float& blue) {
            const Vec3 d = flatShaded ? flat : light_[index[k]];
            red = (m.ambient + m.diffuse * d.x) * r;
            green = (m.ambient + m.diffuse * d.y) * g;
            blue = (m.ambient + m.diffuse * d.z) * b;
        };
        if ((outcodes_[index[0]] | outcodes_[index[1]] | outcodes_[index[2]]) != 0) {
            ViewVertex v[3];
            for (int k = 0; k < 3; ++k) {
                const Vertex& source = clump.vertices[index[k]];
                v[k].p = viewPositions_[index[k]];
                v[k].u = source.u;
                v[k].v = source.v;
                v[k].fog = projector_.fogAt(v[k].p.z);
                lit(k, v[k].red, v[k].green, v[k].blue);
            }
            drawTriangle(v, m, polygon->opacity);
            continue;
        }
        // Wholly inside: the vertices' projections serve as they are.
        const float total = m.opacity * polygon->opacity;
        if (!(total > 0.0f))
            continue;
        const TriangleStyle style = styleOf(m, total);
        ScreenVertex s[3];
        float uShift = 0.0f, vShift = 0.0f, uScale = 0.0f, vScale = 0.0f;
        if (style.texture) {
            uScale = static_cast<float>(style.texture->width());
            vScale = static_cast<float>(style.texture->height());
            const Vertex &va = clump.vertices[index[0]], &vb = clump.vertices[index[1]], &vc = clump.vertices[index[2]];
            uShift = std::floor(std::min(std::min(va.u, vb.u), vc.u));
            vShift = std::floor(std::min(std::min(va.v, vb.v), vc.v));
        }
        for (int k = 0; k < 3; ++k) {
            s[k] = screen_[index[k]];
            const Vertex& source = clump.vertices[index[k]];
            s[k].uq = (source.u - uShift) * uScale * s[k].q;
            s[k].vq = (source.v - vShift) * vScale * s[k].q;
            lit(k, s[k].red, s[k].green, s[k].blue);
        }
        emit(s, 3, style,
             (viewPositions_[index[0]].z + viewPositions_[index[1]].z + viewPositions_[index[2]].z) / 3.0f);
    }
}

void FrameRenderer::emit(const ScreenVertex* s, int n, const TriangleStyle& style, float distance) {
    for (int i = 1; i + 1 < n; ++i) {
        const ScreenVertex tri[3] = {s[0], s[i], s[i + 1]};
        if (style.translucent)
            held_.push_back({distance, {tri[0], tri[1], tri[2]}, style});
        else
            rasteriseTriangle(target_, tri, style);
    }
}

void FrameRenderer::drawTriangle(const ViewVertex (&v)[3], const Material& m, float opacity) {
    const float total = m.opacity * opacity;
    if (!(total > 0.0f))
        return;
    const TriangleStyle style = styleOf(m, total);
    ViewVertex clipped[kMaxClippedVertices];
    const int n = projector_.clip(v, clipped);
    if (n == 0)
        return;
    float uScale = 0.0f, vScale = 0.0f, uShift = 0.0f, vShift = 0.0f;
    if (style.texture) {
        // Whole repeats taken off keep the texel arithmetic small; wrapping makes them invisible.
        uScale = static_cast<float>(style.texture->width());
        vScale = static_cast<float>(style.texture->height());
        uShift = clipped[0].u;
        vShift = clipped[0].v;
        for (int i = 1; i < n; ++i) {
            uShift = std::min(uShift, clipped[i].u);
            vShift = std::min(vShift, clipped[i].v);
        }
        uShift = std::floor(uShift);
        vShift = std::floor(vShift);
    }
    ScreenVertex s[kMaxClippedVertices];
    for (int i = 0; i < n; ++i)
        s[i] = projector_.project(clipped[i], uScale, vScale, uShift, vShift);
    emit(s, n, style, (v[0].p.z + v[1].p.z + v[2].p.z) / 3.0f);
}

void FrameRenderer::drawLine(const ViewVertex& a, const ViewVertex& b, const Material& m) {
    // A line is a thin triangle to the clipper: its two ends and the second end again.
    const ViewVertex tri[3] = {a, b, b};
    ViewVertex clipped[kMaxClippedVertices];
    const int n = projector_.clip(tri, clipped);
    if (n == 0)
        return;
    TriangleStyle style = styleOf(m, m.opacity);
    style.texture = nullptr;
    style.translucent = style.opacity < 255;
    // The clipped piece of a line is the span between its extreme points along the line.
    const Vec3 along = b.p - a.p;
    int first = 0, last = 0;
    for (int i = 1; i < n; ++i) {
        if (dot(clipped[i].p, along) < dot(clipped[first].p, along))
            first = i;
        if (dot(clipped[i].p, along) > dot(clipped[last].p, along))
            last = i;
    }
    rasteriseLine(target_, projector_.project(clipped[first], 0, 0, 0, 0),
                  projector_.project(clipped[last], 0, 0, 0, 0), style);
}

void FrameRenderer::flushTranslucent() {
    std::stable_sort(held_.begin(), held_.end(),
                     [](const HeldTriangle& x, const HeldTriangle& y) { return x.distance > y.distance; });
    for (const HeldTriangle& h : held_)
        rasteriseTriangle(target_, h.v, h.style);
    held_.clear();
}

FrameRenderer* activeRenderer() {
    return active;
}

bool renderScene(Scene& scene) {
    Camera* camera = cameraInUpdate();
    if (!camera || active)
        return false;
    FrameRenderer r(*camera, &scene);
    active = &r;
    const std::vector<Clump*> clumps = scene.clumps();
    for (Clump* c : clumps)
        walk(r, *c, Matrix::identity());
    r.flushTranslucent();
    active = nullptr;
    return true;
}

bool renderClump(Clump& clump) {
    if (!active)
        return false;
    active->drawClump(clump, &clump == active->callbackClump ? active->frame : clump.world());
    return true;
}

} // namespace q71::r3d
