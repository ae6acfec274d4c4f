#pragma once
// One pass of drawing into the camera being updated: clumps lit by a scene's lights, immediate
// triangles and lines, and the translucent triangles held back until the opaque ones are in.

#include "render3d/clump.h"
#include "render3d/scene.h"
#include "render3d/view_projector.h"

#include <vector>

namespace q71::r3d {

class FrameRenderer {
public:
    /// Lights come from the scene (none without one).
    FrameRenderer(Camera& camera, const Scene* scene);

    const ViewProjector& projector() const { return projector_; }
    /// Draws the clump's own triangles placed by `world`.
    void drawClump(const Clump& clump, const Matrix& world);
    /// A triangle of camera-space vertices in the material at the opacity (0 ... 1).
    void drawTriangle(const ViewVertex (&v)[3], const Material& m, float opacity);
    void drawLine(const ViewVertex& a, const ViewVertex& b, const Material& m);
    /// Draws the held-back translucent triangles, farthest first.
    void flushTranslucent();

    /// The frame immediate geometry is given in (a clump's, inside its render callback).
    Matrix frame;
    /// The clump whose render callback runs, or null.
    const Clump* callbackClump = nullptr;

private:
    struct HeldTriangle {
        float distance;
        ScreenVertex v[3];
        TriangleStyle style;
    };

    TriangleStyle styleOf(const Material& m, float opacity) const;
    /// Rasterises the triangles of a convex screen polygon, or holds them back when translucent.
    void emit(const ScreenVertex* s, int n, const TriangleStyle& style, float distance);

    ViewProjector projector_;
    RasterTarget target_;
    std::vector<Light> lights_;
    std::vector<HeldTriangle> held_;
    // Per-clump work space, kept between clumps.
    std::vector<Vec3> viewPositions_;
    std::vector<Vec3> normals_;
    std::vector<Vec3> light_;
    std::vector<unsigned> outcodes_;
    std::vector<ScreenVertex> screen_;
};

/// The pass running inside renderScene, or null.
FrameRenderer* activeRenderer();

/// Renders the scene into the camera being updated (false when none is).
bool renderScene(Scene& scene);
/// From inside a render callback: draws the clump (null outside a render).
bool renderClump(Clump& clump);

} // namespace q71::r3d
