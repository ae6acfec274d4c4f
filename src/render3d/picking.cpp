#include "render3d/picking.h"
#include "render3d/view_projector.h"

#include <limits>

namespace q71::r3d {

namespace {

struct Search {
    const ViewProjector& projector;
    float x, y;
    float bestDepth = -std::numeric_limits<float>::max();
    Clump* best = nullptr;
};

// The depth of the triangle at the point, when the point lies inside it (either winding).
bool depthAt(const ScreenVertex& a, const ScreenVertex& b, const ScreenVertex& c, float x, float y, float& depth) {
    const float area = (b.x - a.x) * (c.y - a.y) - (c.x - a.x) * (b.y - a.y);
    if (!(area != 0.0f))
        return false;
    const float wa = ((b.x - x) * (c.y - y) - (c.x - x) * (b.y - y)) / area;
    const float wb = ((c.x - x) * (a.y - y) - (a.x - x) * (c.y - y)) / area;
    const float wc = 1.0f - wa - wb;
    if (wa < 0.0f || wb < 0.0f || wc < 0.0f)
        return false;
    depth = wa * a.depth + wb * b.depth + wc * c.depth;
    return true;
}

void search(Search& s, Clump& clump, const Matrix& parentWorld) {
    if (!clump.visible)
        return;
    const Matrix world = compose(parentWorld, clump.local());
    if (!clump.sprite) {
        const Matrix toView = compose(s.projector.view(), world);
        for (const auto& p : clump.polygons) {
            ViewVertex v[3];
            const int index[3] = {p->a, p->b, p->c};
            for (int k = 0; k < 3; ++k)
                v[k].p = toView.apply(clump.vertices[static_cast<std::size_t>(index[k])].position);
            ViewVertex clipped[kMaxClippedVertices];
            const int n = s.projector.clip(v, clipped);
            ScreenVertex screen[kMaxClippedVertices];
            for (int i = 0; i < n; ++i)
                screen[i] = s.projector.project(clipped[i], 0, 0, 0, 0);
            for (int i = 1; i + 1 < n; ++i) {
                float depth = 0.0f;
                if (depthAt(screen[0], screen[i], screen[i + 1], s.x, s.y, depth) && depth > s.bestDepth) {
                    s.bestDepth = depth;
                    s.best = &clump;
                }
            }
        }
    }
    for (const auto& child : clump.children())
        search(s, *child, world);
}

} // namespace

PickResult pickScene(const Camera& camera, Scene& scene, int x, int y) {
    const ViewProjector projector(camera);
    Search s{projector, static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f};
    for (Clump* c : scene.clumps())
        search(s, *c, Matrix::identity());
    PickResult result;
    result.clump = s.best;
    for (const Clump* c = s.best; c; c = c->parent())
        if (c->tag != 0) {
            result.objectId = c->tag;
            break;
        }
    return result;
}

} // namespace q71::r3d
