#include "render3d/immediate.h"
#include "render3d/frame_renderer.h"

#include <array>
#include <memory>
#include <optional>

namespace q71::r3d {

namespace {

struct Batch {
    std::array<ImmediateVertex, 3> buffer{};
    MaterialRef material;
    // A pass of its own when the batch runs outside a scene's render.
    std::optional<FrameRenderer> own;
};

Batch batch;

FrameRenderer* renderer() {
    if (!batch.material)
        return nullptr;
    if (batch.own)
        return &*batch.own;
    return activeRenderer();
}

ViewVertex toView(FrameRenderer& r, const ImmediateVertex& i, const Material& m) {
    const Tint tint = materialTint(m);
    const float scale = 256.0f / 65536.0f;
    ViewVertex v;
    v.p = r.projector().view().apply(r.frame.apply(i.position));
    v.u = static_cast<float>(i.u) / 65536.0f;
    v.v = static_cast<float>(i.v) / 65536.0f;
    v.red = static_cast<float>(i.red) * scale * tint.red;
    v.green = static_cast<float>(i.green) * scale * tint.green;
    v.blue = static_cast<float>(i.blue) * scale * tint.blue;
    v.fog = r.projector().fogAt(v.p.z);
    return v;
}

} // namespace

std::span<ImmediateVertex, 3> immediateBuffer() {
    return batch.buffer;
}

bool beginImmediate(Material& material) {
    endImmediate();
    Camera* camera = cameraInUpdate();
    if (!camera)
        return false;
    batch.material = material.shared_from_this();
    if (!activeRenderer())
        batch.own.emplace(*camera, nullptr);
    return true;
}

void immediateTriangle() {
    immediateTriangle(batch.buffer, 0, 1, 2);
}

void immediateTriangle(std::span<const ImmediateVertex> list, int a, int b, int c) {
    FrameRenderer* r = renderer();
    if (!r)
        return;
    for (const int i : {a, b, c})
        if (i < 0 || static_cast<std::size_t>(i) >= list.size())
            return;
    const Material& m = *batch.material;
    const ViewVertex v[3] = {toView(*r, list[static_cast<std::size_t>(a)], m),
                             toView(*r, list[static_cast<std::size_t>(b)], m),
                             toView(*r, list[static_cast<std::size_t>(c)], m)};
    r->drawTriangle(v, m, 1.0f);
}

void immediateLine(const ImmediateVertex& a, const ImmediateVertex& b) {
    FrameRenderer* r = renderer();
    if (!r)
        return;
    const Material& m = *batch.material;
    r->drawLine(toView(*r, a, m), toView(*r, b, m), m);
}

void endImmediate() {
    if (batch.own)
        batch.own->flushTranslucent();
    batch.own.reset();
    batch.material.reset();
}

} // namespace q71::r3d
