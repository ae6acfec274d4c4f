#include "mkdata/models/recipes.h"
#include "mkdata/models/shapes.h"

#include <array>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

using shapes::Mesh;
using shapes::Station;
using shapes::Tint;
using shapes::Vec3;

const Tint kNavyGrey{0.6f, 0.63f, 0.66f};
const Tint kSovietGrey{0.56f, 0.6f, 0.56f};
const Tint kBlade{0.15f, 0.15f, 0.15f};

// Blades about the child's origin, turning about its Z (propellers) or its Y (rotors).
void blades(r3d::ClumpRecord& parent, std::int32_t tag, Vec3 at, float radius, int count, bool rotor) {
    r3d::ClumpRecord& part = shapes::child(parent, tag, at);
    Mesh mesh(part);
    const std::uint32_t m = mesh.material(kBlade);
    for (int k = 0; k < count; ++k) {
        const float a = std::numbers::pi_v<float> * 2.0f * static_cast<float>(k) / static_cast<float>(count);
        const Vec3 dir = rotor ? Vec3{std::cos(a), 0.0f, std::sin(a)} : Vec3{std::cos(a), std::sin(a), 0.0f};
        const Vec3 side = rotor ? Vec3{-std::sin(a), 0.0f, std::cos(a)} : Vec3{-std::sin(a), std::cos(a), 0.0f};
        const float chord = radius * (rotor ? 0.05f : 0.18f);
        shapes::panel(mesh, side * (-chord / 2), dir * radius, side * chord, m);
    }
}

// A fuselage of revolution from -length/2 to +length/2 with a rounded nose.
void fuselage(Mesh& mesh, float length, float radius, std::uint32_t m) {
    const std::array<Station, 6> stations = {{{-length / 2, radius * 0.25f},
                                              {-length * 0.3f, radius * 0.8f},
                                              {length * 0.25f, radius},
                                              {length * 0.42f, radius * 0.8f},
                                              {length * 0.48f, radius * 0.45f},
                                              {length / 2, 0.0f}}};
    shapes::revolution(mesh, {}, stations, 8, 1.0f, m);
}

// A four-engined patrol aircraft: low wings, the inner propellers turning.
r3d::ClumpRecord patrolPlane(const ModelSize& given, Tint colour) {
    const ModelSize s = sizeOr(given, 117, 100, 34);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t skin = mesh.material(colour);
    const float r = s.height * 0.2f;
    fuselage(mesh, s.length, r, skin);
    shapes::panel(mesh, {-s.beam / 2, -r * 0.3f, s.length * 0.02f}, {s.beam, 0, 0}, {0, 0, s.length * 0.12f}, skin);
    shapes::panel(mesh, {-s.beam * 0.18f, r * 0.4f, -s.length * 0.48f}, {s.beam * 0.36f, 0, 0}, {0, 0, s.length * 0.08f},
                  skin);
    shapes::panel(mesh, {0.0f, r * 0.5f, -s.length * 0.48f}, {0, s.height - r * 1.5f, 0}, {0, 0, s.length * 0.1f}, skin);
    for (float side : {-1.0f, 1.0f})
        for (float at : {0.2f, 0.36f}) {
            const Vec3 nacelle{side * s.beam * at, -r * 0.3f, s.length * 0.14f};
            shapes::frustum(mesh, nacelle, nacelle + Vec3{0, 0, -s.length * 0.14f}, r * 0.3f, r * 0.2f, 6, skin);
        }
    blades(model, 522, {s.beam * 0.2f, -r * 0.3f, s.length * 0.15f}, s.beam * 0.06f, 4, false);
    blades(model, 523, {-s.beam * 0.2f, -r * 0.3f, s.length * 0.15f}, s.beam * 0.06f, 4, false);
    return model;
}

r3d::ClumpRecord helicopter(const ModelSize& given, Tint colour, bool coaxial) {
    const ModelSize s = sizeOr(given, 65, 54, 17);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t skin = mesh.material(colour);
    const float r = s.height * 0.26f;
    // Cabin forward, a tail boom aft, a fin at its end.
    const std::array<Station, 5> cabin = {{{-s.length * 0.1f, r * 0.7f},
                                           {0.0f, r},
                                           {s.length * 0.25f, r},
                                           {s.length * 0.36f, r * 0.7f},
                                           {s.length * (coaxial ? 0.5f : 0.4f), 0.0f}}};
    shapes::revolution(mesh, {}, cabin, 8, 1.0f, skin);
    shapes::frustum(mesh, {0.0f, r * 0.3f, -s.length * 0.08f}, {0.0f, r * 0.5f, -s.length * 0.5f}, r * 0.3f, r * 0.15f, 6,
                    skin);
    shapes::panel(mesh, {0.0f, r * 0.4f, -s.length * 0.5f}, {0, r * 1.4f, 0}, {0, 0, s.length * 0.07f}, skin);
    const float hub = s.height - r;
    shapes::frustum(mesh, {0.0f, r * 0.8f, s.length * 0.12f}, {0.0f, hub, s.length * 0.12f}, r * 0.15f, r * 0.1f, 6, skin);
    blades(model, 524, {0.0f, hub, s.length * 0.12f}, s.beam / 2, 2, true);
    if (coaxial)
        blades(model, 525, {0.0f, hub - r * 0.5f, s.length * 0.12f}, s.beam / 2, 2, true);
    return model;
}

// A missile or torpedo: a body of revolution, cruciform tail fins spanning the beam, a
// propeller for the torpedoes.
r3d::ClumpRecord weapon(const ModelSize& given, float length, float beam, Tint colour, bool torpedo, bool wings) {
    const ModelSize s = sizeOr(given, length, beam, beam);
    r3d::ClumpRecord model;
    Mesh mesh(model);
    const std::uint32_t skin = mesh.material(colour);
    const std::uint32_t dark = mesh.material({colour.red * 0.5f, colour.green * 0.5f, colour.blue * 0.5f});
    const float r = s.beam * (torpedo ? 0.42f : 0.3f);
    const std::array<Station, 5> body = {{{-s.length / 2, r * 0.5f},
                                          {-s.length * 0.4f, r},
                                          {s.length * 0.36f, r},
                                          {s.length * 0.46f, r * (torpedo ? 0.7f : 0.45f)},
                                          {s.length / 2, torpedo ? r * 0.2f : 0.0f}}};
    shapes::revolution(mesh, {}, body, 6, 1.0f, skin);
    const float chord = s.length * 0.08f;
    shapes::panel(mesh, {-s.beam / 2, 0.0f, -s.length / 2}, {s.beam, 0, 0}, {0, 0, chord}, dark);
    shapes::panel(mesh, {0.0f, -s.height / 2, -s.length / 2}, {0, s.height, 0}, {0, 0, chord}, dark);
    if (wings)
        shapes::panel(mesh, {-s.beam * 0.45f, 0.0f, -s.length * 0.05f}, {s.beam * 0.9f, 0, 0}, {0, 0, s.length * 0.12f},
                      dark);
    if (torpedo)
        blades(model, 521, {0.0f, 0.0f, -s.length * 0.49f}, r * 0.9f, 4, false);
    return model;
}

const Tint kWhiteBody{0.85f, 0.85f, 0.82f};
const Tint kOlive{0.35f, 0.4f, 0.3f};
const Tint kTorpedo{0.2f, 0.24f, 0.2f};

constexpr ModelRecipe kRecipes[] = {
    {"P3C", [](const ModelSize& s) { return patrolPlane(s, kNavyGrey); }},
    {"Bear", [](const ModelSize& s) { return patrolPlane(sizeOr(s, 174, 167, 40), kSovietGrey); }},
    {"May", [](const ModelSize& s) { return patrolPlane(sizeOr(s, 131, 122, 34), kSovietGrey); }},
    {"Seahawk", [](const ModelSize& s) { return helicopter(s, kNavyGrey, false); }},
    {"Helix", [](const ModelSize& s) { return helicopter(sizeOr(s, 37, 52, 18), kSovietGrey, true); }},
    {"Hormone", [](const ModelSize& s) { return helicopter(sizeOr(s, 32, 52, 18), kSovietGrey, true); }},
    {"Tomahawk", [](const ModelSize& s) { return weapon(s, 20, 2, kWhiteBody, false, true); }},
    {"Harpoon", [](const ModelSize& s) { return weapon(s, 15, 1, kWhiteBody, false, true); }},
    {"SSN22", [](const ModelSize& s) { return weapon(s, 31, 3, kOlive, false, true); }},
    {"SSN19", [](const ModelSize& s) { return weapon(s, 33, 3, kOlive, false, true); }},
    {"SSN12", [](const ModelSize& s) { return weapon(s, 38, 3, kOlive, false, true); }},
    {"SM2", [](const ModelSize& s) { return weapon(s, 15, 1, kWhiteBody, false, false); }},
    {"SAN7", [](const ModelSize& s) { return weapon(s, 18, 1, kOlive, false, false); }},
    {"Adcap", [](const ModelSize& s) { return weapon(s, 19, 2, kTorpedo, true, false); }},
    {"Mk46", [](const ModelSize& s) { return weapon(s, 9, 1, kTorpedo, true, false); }},
    {"Mk50", [](const ModelSize& s) { return weapon(s, 9, 1, kTorpedo, true, false); }},
    {"Type53", [](const ModelSize& s) { return weapon(s, 26, 2, kTorpedo, true, false); }},
    {"Type65", [](const ModelSize& s) { return weapon(s, 36, 3, kTorpedo, true, false); }},
    {"USET80", [](const ModelSize& s) { return weapon(s, 25, 2, kTorpedo, true, false); }},
    {"APR2", [](const ModelSize& s) { return weapon(s, 12, 1, kTorpedo, false, false); }},
    {"Slmm", [](const ModelSize& s) { return weapon(s, 13, 2, kTorpedo, false, false); }},
};

} // namespace

std::span<const ModelRecipe> craftRecipes() { return kRecipes; }

} // namespace q71::mkdata
