#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace q71::mkdata {
namespace {

using shapes::HullSection;
using shapes::Mesh;
using shapes::Station;
using shapes::Tint;
using shapes::Vec3;

const Tint kMineBlack{0.12f, 0.13f, 0.12f};
const Tint kOrange{0.95f, 0.45f, 0.1f};
const Tint kYellow{0.95f, 0.8f, 0.1f};
const Tint kRust{0.42f, 0.24f, 0.14f};
const Tint kGrey{0.5f, 0.53f, 0.56f};
const Tint kSkin{0.85f, 0.65f, 0.5f};

// A ball of revolution about the Z axis through `centre`.
void ball(Mesh& mesh, Vec3 centre, float radius, float squash, std::uint32_t m) {
    const std::array<Station, 5> s = {{{-radius, 0.0f},
                                       {-radius * 0.7f, radius * 0.71f},
                                       {0.0f, radius},
                                       {radius * 0.7f, radius * 0.71f},
                                       {radius, 0.0f}}};
    shapes::revolution(mesh, centre, s, 8, squash, m);
}

r3d::ClumpRecord contactMine(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t black = mesh.material(kMineBlack);
    ball(mesh, {}, 0.05f, 1.0f, black);
    for (const Vec3 d : {Vec3{0, 1, 0}, Vec3{1, 0, 0}, Vec3{-1, 0, 0}, Vec3{0, 0, 1}, Vec3{0, 0, -1}})
        shapes::frustum(mesh, d * 0.045f, d * 0.065f, 0.006f, 0.0f, 4, black);
    return model;
}

// The Captor: a torpedo's capsule moored upright, its dark anchor housing below, a domed head
// above, on a short length of its mooring cable; 3.7 m tall. Built along Z, then stood up.
r3d::ClumpRecord captor(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t capsule = mesh.material({0.3f, 0.34f, 0.22f});
    const std::uint32_t dark = mesh.material(kMineBlack);
    const std::array<Station, 2> housing = {{{0.0f, 0.034f}, {0.05f, 0.034f}}};
    shapes::revolution(mesh, {}, housing, 8, 1.0f, dark);
    const std::array<Station, 4> body = {{{0.05f, 0.0265f}, {0.33f, 0.0265f}, {0.355f, 0.019f}, {0.37f, 0.0f}}};
    shapes::revolution(mesh, {}, body, 8, 1.0f, capsule);
    shapes::frustum(mesh, {0, 0, -0.12f}, {0, 0, 0}, 0.0015f, 0.0015f, 4, dark);
    const r3d::Matrix upright = r3d::Matrix::rotation(r3d::Axis::X, -90.0f);
    for (r3d::VertexRecord& v : model.vertices)
        v.position = upright.apply(v.position);
    shapes::scaleModel(model, {1, 1, 1}); // the faces take their new normals
    return model;
}

// A canister lying along Z: ground mines, depth charges, countermeasures.
r3d::ClumpRecord canister(float halfLength, float radius, int sides, Tint tint) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    shapes::frustum(mesh, {0, 0, -halfLength}, {0, 0, halfLength}, radius, radius, sides, mesh.material(tint));
    return model;
}

r3d::ClumpRecord sonobuoy(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t m = mesh.material(kYellow);
    shapes::frustum(mesh, {0, -0.08f, 0}, {0, 0.02f, 0}, 0.012f, 0.012f, 6, m);
    shapes::frustum(mesh, {0, 0.02f, 0}, {0, 0.12f, 0}, 0.002f, 0.001f, 4, mesh.material(kMineBlack));
    return model;
}

// A navigation buoy: a float, a cage and a lamp on top, its top the masthead.
r3d::ClumpRecord navBuoy(const ModelSize& size) {
    const float top = size.mast > 0.0f ? size.mast : yards(4);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t red = mesh.material({0.8f, 0.12f, 0.1f});
    shapes::frustum(mesh, {0, -0.1f, 0}, {0, 0.05f, 0}, 0.12f, 0.12f, 8, red);
    shapes::block(mesh, {0, 0.05f, 0}, 0.06f, 0.06f, 0.02f, 0.02f, top * 0.8f - 0.05f, 0.0f, red);
    shapes::frustum(mesh, {0, top * 0.8f, 0}, {0, top, 0}, 0.025f, 0.015f, 6, mesh.material({1.0f, 0.95f, 0.6f}));
    return model;
}

// A lump of rock: a squat body whose rings are pushed in and out by a fixed pattern.
r3d::ClumpRecord rock(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::array<Station, 5> s = {{{-2.0f, 0.0f}, {-1.5f, 1.6f}, {0.0f, 2.2f}, {1.3f, 1.5f}, {1.8f, 0.0f}}};
    shapes::revolution(mesh, {0.0f, 0.4f, 0.0f}, s, 7, 0.8f, mesh.material({0.4f, 0.38f, 0.35f}, "Rock06.bmp", 0.5f));
    for (r3d::VertexRecord& v : model.vertices) {
        // A corner moves by what its place gives, the same wherever the corner is repeated, so
        // the lump stays closed.
        const auto key = static_cast<std::uint32_t>(std::lround(v.position.x * 97.0f) * 73856093 ^
                                                    std::lround(v.position.y * 89.0f) * 19349663 ^
                                                    std::lround(v.position.z * 83.0f) * 83492791);
        const float jitter = 0.8f + 0.4f * static_cast<float>((key * 2654435761u) >> 8 & 0xFFFF) / 65535.0f;
        v.position = {v.position.x * jitter, v.position.y * jitter, v.position.z};
    }
    shapes::scaleModel(model, {1, 1, 1}); // the faces take their new normals
    return model;
}

// A person standing (or sitting) at a point: body, head.
void person(Mesh& mesh, Vec3 at, float height, std::uint32_t clothes, std::uint32_t skin) {
    shapes::box(mesh, at + Vec3{-height * 0.12f, 0, -height * 0.07f}, at + Vec3{height * 0.12f, height * 0.8f, height * 0.07f},
                clothes);
    shapes::box(mesh, at + Vec3{-height * 0.06f, height * 0.8f, -height * 0.06f},
                at + Vec3{height * 0.06f, height, height * 0.06f}, skin);
}

r3d::ClumpRecord pilot(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    shapes::frustum(mesh, {0, -0.02f, 0}, {0, 0.03f, 0}, 0.1f, 0.1f, 8, mesh.material(kOrange));
    person(mesh, {0, 0.02f, 0}, 0.1f, mesh.material(kYellow), mesh.material(kSkin));
    return model;
}

// An inflatable boat with the team crouching in it.
r3d::ClumpRecord sealTeam(const ModelSize& given) {
    const ModelSize s = sizeOr(given, 20, 8, 4);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t rubber = mesh.material({0.1f, 0.1f, 0.1f});
    const float side = s.height * 0.35f;
    const std::array<HullSection, 3> hull = {{{-s.length / 2, s.beam / 2, s.beam * 0.45f, s.beam * 0.3f, side * 0.5f, side * 0.5f},
                                              {s.length * 0.2f, s.beam / 2, s.beam * 0.45f, s.beam * 0.3f, side * 0.5f, side * 0.5f},
                                              {s.length / 2, 0.0f, 0.0f, 0.0f, side * 0.7f, 0.0f}}};
    shapes::shipHull(mesh, hull, rubber, rubber);
    const std::uint32_t black = mesh.material({0.05f, 0.06f, 0.05f});
    for (int k = 0; k < 4; ++k)
        shapes::block(mesh, {0.0f, 0.0f, s.length * (-0.3f + 0.16f * static_cast<float>(k))}, s.beam * 0.12f,
                      s.beam * 0.1f, s.beam * 0.08f, s.beam * 0.07f, s.height - side * 0.5f, 0.0f, black);
    return model;
}

// A hull of the size (half of it for the broken sections: bow from 0 forward, stern aft).
r3d::ClumpRecord brokenHull(float from, float to, Tint colour, float roll) {
    const float length = feet(500), beam = feet(55), deck = feet(20), draft = feet(18);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t side = mesh.material(colour, "hullplt.bmp", 0.5f);
    const std::uint32_t deckMaterial = mesh.material({colour.red * 0.7f, colour.green * 0.7f, colour.blue * 0.7f});
    const std::uint32_t inside = mesh.material({0.08f, 0.07f, 0.06f});
    auto section = [&](float along) {
        const float narrowing = along > 0.3f ? std::max(0.0f, (0.5f - along) / 0.2f) : along < -0.45f ? 0.8f : 1.0f;
        const float w = beam / 2 * narrowing;
        return HullSection{along * length, w, w * 0.92f, w * 0.45f, deck, draft};
    };
    std::array<HullSection, 4> sections{};
    for (int i = 0; i < 4; ++i)
        sections[static_cast<std::size_t>(i)] = section(from + (to - from) * static_cast<float>(i) / 3.0f);
    shapes::shipHull(mesh, sections, side, deckMaterial);
    // A torn face where the hull broke.
    const float breakZ = (std::fabs(from) < std::fabs(to) ? from : to) * length;
    mesh.quad({beam / 2, deck, breakZ}, {beam * 0.3f, -draft, breakZ}, {-beam * 0.2f, -draft * 0.8f, breakZ},
              {-beam / 2, deck * 0.7f, breakZ}, inside);
    const r3d::Matrix list = r3d::Matrix::rotation(r3d::Axis::Z, roll);
    for (r3d::VertexRecord& v : model.vertices)
        v.position = list.apply(v.position);
    shapes::scaleModel(model, {1, 1, 1}); // the faces take their new normals
    return model;
}

r3d::ClumpRecord explosion(const ModelSize&) {
    r3d::ClumpRecord model;
    Mesh mesh(model);
    ball(mesh, {0.0f, 1.0f, 0.0f}, 1.0f, 1.0f, mesh.material({1.0f, 0.6f, 0.15f}));
    ball(mesh, {0.0f, 2.0f, 0.0f}, 0.8f, 0.8f, mesh.material({0.25f, 0.23f, 0.22f}));
    return model;
}

// The oil rig: four legs from below the water to the deck, the deck house, a helicopter deck and
// the derrick whose top is the masthead.
r3d::ClumpRecord oilRig(const ModelSize& given) {
    ModelSize s = sizeOr(given, 300, 300, 250);
    if (s.mast <= 0.0f)
        s.mast = yards(60);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t steel = mesh.material({0.55f, 0.5f, 0.4f});
    const std::uint32_t yellow = mesh.material(kYellow);
    const std::uint32_t house = mesh.material({0.85f, 0.85f, 0.82f});
    const float deck = s.mast * 0.4f, half = s.length / 2, leg = s.length * 0.04f;
    for (float x : {-1.0f, 1.0f})
        for (float z : {-1.0f, 1.0f})
            shapes::frustum(mesh, {x * (half - leg), -3.0f, z * (half - leg)}, {x * (half - leg), deck, z * (half - leg)},
                            leg, leg, 6, yellow);
    shapes::box(mesh, {-half, deck, -half}, {half, deck + 0.3f, half}, steel);
    shapes::box(mesh, {-half * 0.9f, deck + 0.3f, -half * 0.9f}, {half * 0.1f, deck + 1.2f, -half * 0.1f}, house);
    shapes::box(mesh, {half * 0.3f, deck + 1.3f, half * 0.3f}, {half * 0.95f, deck + 1.35f, half * 0.95f}, steel);
    shapes::block(mesh, {half * 0.3f, deck + 0.3f, -half * 0.4f}, s.beam * 0.06f, s.beam * 0.06f, s.beam * 0.01f,
                  s.beam * 0.01f, s.mast - deck - 0.3f, 0.0f, steel);
    return model;
}

constexpr ModelRecipe kRecipes[] = {
    {"ContactMine", contactMine},
    {"InfluenceMine", [](const ModelSize&) { return canister(0.1f, 0.027f, 8, {0.3f, 0.32f, 0.25f}); }},
    {"Captor", captor},
    {"DepthCharge", [](const ModelSize&) { return canister(0.045f, 0.03f, 8, kMineBlack); }},
    {"Countermeasure", [](const ModelSize&) { return canister(0.05f, 0.0075f, 6, {0.55f, 0.55f, 0.5f}); }},
    {"Sonobuoy", sonobuoy},
    {"NavBuoy", navBuoy},
    {"Rock", rock},
    {"Pilot", pilot},
    {"SealTeam", sealTeam},
    {"Explosion", explosion},
    {"OilRig", oilRig},
    {"ShipBow", [](const ModelSize&) { return brokenHull(0.0f, 0.5f, kGrey, 12.0f); }},
    {"ShipStern", [](const ModelSize&) { return brokenHull(-0.5f, 0.0f, kGrey, -8.0f); }},
    {"Wreck", [](const ModelSize&) { return brokenHull(-0.5f, 0.3f, kRust, 25.0f); }},
};

} // namespace

std::span<const ModelRecipe> objectRecipes() { return kRecipes; }

} // namespace q71::mkdata
