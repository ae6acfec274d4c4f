#include "mkdata/models/recipes.h"
#include "mkdata/models/submarine_layout.h"

namespace q71::mkdata {
namespace {

using shapes::Mesh;
using shapes::Vec3;

// Where each mast stands on the sail (along Z, across X), its radius and how far it stands
// above the sail when raised. The periscope is where the optic looks from (2.35 units forward of
// the boat's origin).
struct MastPlace {
    float along, across, radius, raised;
};

r3d::ClumpRecord mast(const ModelSize& size, MastPlace place, bool head) {
    const SubmarineLayout sail = submarineLayout(size, ownBoatStyle());
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t steel = mesh.material({0.2f, 0.21f, 0.23f});
    const Vec3 foot{place.across, sail.sailTop - 0.05f, place.along};
    const Vec3 top = foot + Vec3{0.0f, place.raised + 0.05f, 0.0f};
    shapes::frustum(mesh, foot, top, place.radius, place.radius * 0.8f, 6, steel);
    if (head)
        shapes::box(mesh, top + Vec3{-place.radius * 1.6f, -place.raised * 0.12f, -place.radius * 1.6f},
                    top + Vec3{place.radius * 1.6f, 0.0f, place.radius * 1.6f}, steel);
    return model;
}

constexpr ModelRecipe kRecipes[] = {
    {"Q71_peri", [](const ModelSize& s) { return mast(s, {2.35f, 0.0f, 0.025f, 0.55f}, false); }, "Q71i"},
    {"Q71_ant", [](const ModelSize& s) { return mast(s, {2.2f, 0.04f, 0.012f, 0.6f}, false); }, "Q71i"},
    {"Q71_esm", [](const ModelSize& s) { return mast(s, {2.1f, -0.04f, 0.02f, 0.45f}, true); }, "Q71i"},
    {"Q71_radar", [](const ModelSize& s) { return mast(s, {2.0f, 0.03f, 0.022f, 0.4f}, true); }, "Q71i"},
    {"Q71_snork", [](const ModelSize& s) { return mast(s, {1.9f, -0.02f, 0.04f, 0.35f}, true); }, "Q71i"},
};

} // namespace

std::span<const ModelRecipe> ownBoatRecipes() { return kRecipes; }

} // namespace q71::mkdata
