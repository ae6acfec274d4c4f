#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"

namespace q71::mkdata {
namespace {

using shapes::Mesh;
using shapes::Tint;
using shapes::Vec3;

const Tint kNeedle{0.96f, 0.95f, 0.88f};
const Tint kOrdered{1.0f, 0.7f, 0.14f};
// The ordered course's mark stands on the brass rim and over the white scale: phosphor green
// tells it from both, and from the red north mark.
const Tint kOrderedMark{0.25f, 1.0f, 0.4f};

// A needle in the plane z = depth, pivoting at the origin, pointing along `dir` (a unit vector
// in X or Y) for `length`, with a short tail and a hub.
r3d::ClumpRecord needle(Vec3 dir, float length, float width, float depth, Tint tint) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t m = mesh.material(tint);
    const Vec3 side{-dir.y, dir.x, 0.0f};
    const Vec3 z{0.0f, 0.0f, depth};
    mesh.quad(z + side * (width / 2) - dir * (length * 0.2f), z + side * (width / 2), z + side * (-width / 2),
              z + side * (-width / 2) - dir * (length * 0.2f), m);
    mesh.triangle(z + side * (width / 2), z + dir * length, z + side * (-width / 2), m);
    shapes::frustum(mesh, z, z + Vec3{0, 0, 0.001f}, width, width, 8, m);
    return model;
}

// The ordered course's mark: a wedge from the rim reaching in across the scale, its tip at
// `tip` from the centre, pointing to it.
r3d::ClumpRecord rimMark(float tip, float length, float width, float depth, Tint tint) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    mesh.triangle({-width / 2, tip + length, depth}, {width / 2, tip + length, depth}, {0.0f, tip, depth},
                  mesh.material(tint));
    return model;
}

// The helm's yoke, seen from the helmsman: a bar across with a grip at each end and the column
// below its hub, which is the origin.
r3d::ClumpRecord wheel(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t steel = mesh.material({0.45f, 0.5f, 0.56f});
    const std::uint32_t grip = mesh.material({0.08f, 0.08f, 0.09f});
    const float z = -0.3f;
    shapes::box(mesh, {-0.6f, -0.035f, z - 0.03f}, {0.6f, 0.035f, z + 0.03f}, steel);
    for (float x : {-0.62f, 0.62f})
        shapes::frustum(mesh, {x, -0.1f, z}, {x, 0.3f, z}, 0.045f, 0.04f, 6, grip);
    shapes::frustum(mesh, {0.0f, 0.0f, z - 0.05f}, {0.0f, 0.0f, z + 0.05f}, 0.09f, 0.09f, 8, steel);
    shapes::box(mesh, {-0.05f, -0.5f, z - 0.2f}, {0.05f, -0.06f, z - 0.1f}, steel);
    return model;
}

const Vec3 kUp{0, 1, 0}, kDown{0, -1, 0}, kLeft{-1, 0, 0}, kRight{1, 0, 0};

constexpr ModelRecipe kRecipes[] = {
    {"crs_act", [](const ModelSize&) { return needle(kUp, 0.72f, 0.06f, -0.1f, kNeedle); }},
    // Drawn at 1.4 times by a camera that shows 1.2 times more height than width: the wedge's
    // base reaches the rim's outer edge east and west, and it still crosses the scale north and south.
    {"crs_ord", [](const ModelSize&) { return rimMark(0.40f, 0.13f, 0.12f, -0.1f, kOrderedMark); }},
    {"en_actul", [](const ModelSize&) { return needle(kUp, 0.75f, 0.07f, -0.5f, kNeedle); }},
    {"enor_fin", [](const ModelSize&) { return needle(kUp, 0.6f, 0.12f, -0.52f, kOrdered); }},
    {"strnpnt", [](const ModelSize&) { return needle(kLeft, 1.7f, 0.16f, -0.2f, kNeedle); }},
    {"strnhld", [](const ModelSize&) { return needle(kLeft, 1.6f, 0.1f, -2.0f, kOrdered); }},
    {"bowpnt", [](const ModelSize&) { return needle(kRight, 1.7f, 0.16f, -0.2f, kNeedle); }},
    {"bowhld", [](const ModelSize&) { return needle(kRight, 1.5f, 0.1f, -2.0f, kOrdered); }},
    {"rudpnt", [](const ModelSize&) { return needle(kDown, 1.9f, 0.12f, -0.2f, kNeedle); }},
    {"rudhld", [](const ModelSize&) { return needle(kDown, 2.3f, 0.08f, -2.0f, kOrdered); }},
    {"Wheel5b", wheel},
};

} // namespace

std::span<const ModelRecipe> dialRecipes() { return kRecipes; }

} // namespace q71::mkdata
