#include "mkdata/models/submarine_layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

using shapes::Station;
using shapes::Tint;
using shapes::Vec3;

constexpr int kHullSides = 10;

// Stations of a teardrop hull, fraction of the length (forward +) and of the radius.
constexpr std::array<Station, 9> kHullStations = {{{-0.5f, 0.0f},
                                                    {-0.47f, 0.22f},
                                                    {-0.42f, 0.5f},
                                                    {-0.3f, 0.85f},
                                                    {-0.15f, 1.0f},
                                                    {0.36f, 1.0f},
                                                    {0.44f, 0.86f},
                                                    {0.48f, 0.58f},
                                                    {0.5f, 0.0f}}};

// Five blades about the child's origin in its XY plane, turning about Z.
void propeller(r3d::ClumpRecord& hull, Vec3 at, float radius, Tint tint) {
    r3d::ClumpRecord& prop = shapes::child(hull, 521, at);
    shapes::Mesh mesh(prop);
    const std::uint32_t bronze = mesh.material(tint);
    for (int k = 0; k < 5; ++k) {
        const float a = 2.0f * std::numbers::pi_v<float> * static_cast<float>(k) / 5.0f;
        const Vec3 dir{std::cos(a), std::sin(a), 0.0f};
        const Vec3 side{-std::sin(a), std::cos(a), 0.0f};
        mesh.quad(side * (radius * 0.12f), dir * radius + side * (radius * 0.2f), dir * radius - side * (radius * 0.1f),
                  side * (radius * -0.12f), bronze);
    }
    shapes::frustum(mesh, {0, 0, radius * 0.3f}, {0, 0, -radius * 0.3f}, radius * 0.18f, radius * 0.05f, 6, bronze);
}

r3d::ClumpRecord submarine(const ModelSize& size, const SubmarineStyle& style) {
    const SubmarineLayout at = submarineLayout(size, style);
    const float length = size.length;
    r3d::ClumpRecord model;
    shapes::Mesh mesh(model);
    const std::uint32_t skin = mesh.material(style.colour, "subtile.bmp", 0.5f);
    const std::uint32_t dark = mesh.material({style.colour.red * 0.8f, style.colour.green * 0.8f, style.colour.blue * 0.8f});

    std::array<Station, kHullStations.size()> stations{};
    for (std::size_t i = 0; i < stations.size(); ++i)
        stations[i] = {kHullStations[i].along * length, kHullStations[i].radius * at.radius};
    shapes::revolution(mesh, {0.0f, at.axis, 0.0f}, stations, kHullSides, style.roundness, skin);

    // The sail, a little narrower at its top.
    const float sailBase = at.axis + at.halfHeight * 0.7f;
    shapes::block(mesh, {0.0f, sailBase, at.sailCentre}, at.sailHalfWidth, at.sailHalfLength, at.sailHalfWidth * 0.8f,
                  at.sailHalfLength * 0.8f, at.sailTop - sailBase, -at.sailHalfLength * 0.1f, dark);
    if (style.missileDeck > 0.0f) {
        const float deckLength = style.missileDeck * length;
        shapes::block(mesh, {0.0f, at.axis + at.halfHeight * 0.6f, at.sailCentre - at.sailHalfLength - deckLength / 2},
                      at.radius * 0.55f, deckLength / 2, at.radius * 0.45f, deckLength / 2, at.halfHeight * 0.65f, 0.0f,
                      dark);
    }

    // Diving planes: on the sail or at the bow, spanning no more than the beam.
    const float halfSpan = size.beam / 2;
    if (style.sailPlanes) {
        const float y = sailBase + (at.sailTop - sailBase) * 0.55f;
        const float chord = at.sailHalfLength * 0.6f;
        shapes::panel(mesh, {-halfSpan * 0.75f, y, at.sailCentre}, {halfSpan * 1.5f, 0, 0}, {0, 0, chord}, dark);
    } else {
        const float z = length * 0.36f;
        shapes::panel(mesh, {-halfSpan * 0.9f, at.axis + at.halfHeight * 0.2f, z}, {halfSpan * 1.8f, 0, 0},
                      {0, 0, length * 0.03f}, dark);
    }
    // Cruciform stern planes and rudder, the planes spanning the whole beam.
    const float tail = -length * 0.44f;
    const float chord = length * 0.06f;
    shapes::panel(mesh, {-halfSpan, at.axis, tail}, {halfSpan * 2, 0, 0}, {0, 0, chord}, dark);
    shapes::panel(mesh, {0.0f, at.keel, tail}, {0, at.halfHeight * 2.1f, 0}, {0, 0, chord}, dark);
    if (style.pod)
        shapes::frustum(mesh, {0.0f, at.axis + at.halfHeight * 1.1f, tail - chord * 0.3f},
                        {0.0f, at.axis + at.halfHeight * 1.1f, tail + chord * 1.2f}, at.radius * 0.12f,
                        at.radius * 0.12f, 6, dark);
    propeller(model, {0.0f, at.axis, -length * 0.46f}, at.radius * 0.55f, {0.45f, 0.36f, 0.2f});
    return model;
}

template <SubmarineStyle (*Style)()> r3d::ClumpRecord make(const ModelSize& size) {
    return submarine(sizeOr(size, 360, 33, 52), Style());
}

SubmarineStyle western() { return ownBoatStyle(); }
SubmarineStyle akula() { return {0.82f, 1.0f, 0.12f, 0.14f, 0.34f, false, 0.0f, true, {0.2f, 0.2f, 0.21f}}; }
SubmarineStyle victor() { return {0.85f, 1.0f, 0.15f, 0.1f, 0.3f, false, 0.0f, true, {0.18f, 0.18f, 0.2f}}; }
SubmarineStyle kilo() { return {0.85f, 1.0f, 0.12f, 0.16f, 0.32f, false, 0.0f, false, {0.22f, 0.21f, 0.2f}}; }
SubmarineStyle oscar() { return {0.85f, 0.85f, 0.1f, 0.12f, 0.3f, false, 0.08f, false, {0.2f, 0.2f, 0.22f}}; }
SubmarineStyle alfa() { return {0.85f, 1.0f, 0.08f, 0.11f, 0.36f, false, 0.0f, false, {0.25f, 0.24f, 0.22f}}; }
SubmarineStyle sierra() { return {0.84f, 1.0f, 0.12f, 0.14f, 0.34f, false, 0.0f, true, {0.22f, 0.22f, 0.24f}}; }
SubmarineStyle typhoon() { return {0.9f, 0.72f, 0.22f, 0.1f, 0.26f, false, 0.0f, false, {0.18f, 0.18f, 0.2f}}; }
SubmarineStyle delta() { return {0.85f, 1.0f, 0.25f, 0.08f, 0.3f, true, 0.28f, false, {0.17f, 0.18f, 0.2f}}; }
SubmarineStyle romeo() { return {0.8f, 1.0f, 0.1f, 0.14f, 0.3f, false, 0.0f, false, {0.3f, 0.29f, 0.27f}}; }
SubmarineStyle han() { return {0.82f, 1.0f, 0.18f, 0.12f, 0.3f, true, 0.0f, false, {0.24f, 0.25f, 0.27f}}; }
SubmarineStyle dsrv() { return {0.95f, 1.0f, 0.1f, 0.3f, 0.5f, false, 0.0f, false, {0.85f, 0.85f, 0.85f}}; }

constexpr ModelRecipe kRecipes[] = {
    {"Q71i", make<western>},       {"LosAngeles", make<western>}, {"Dsrv", make<dsrv>},
    {"Akula", make<akula>},        {"Victor3", make<victor>},     {"Kilo", make<kilo>},
    {"Oscar2", make<oscar>},       {"Alfa", make<alfa>},          {"Sierra", make<sierra>},
    {"Typhoon", make<typhoon>},    {"Delta4", make<delta>},       {"Romeo", make<romeo>},
    {"Han", make<han>},            {"Ming", make<romeo>},
};

} // namespace

SubmarineStyle ownBoatStyle() {
    return {0.78f, 1.0f, 0.2f, 0.075f, 0.3f, true, 0.0f, false, {0.15f, 0.16f, 0.18f}};
}

SubmarineLayout submarineLayout(const ModelSize& size, const SubmarineStyle& style) {
    SubmarineLayout at;
    at.radius = size.beam * style.hullRatio / 2;
    at.halfHeight = at.radius * style.roundness;
    at.axis = -at.halfHeight * 0.35f;
    at.keel = at.axis - at.halfHeight;
    at.sailTop = at.keel + size.height;
    at.sailCentre = size.length * style.sailAt;
    at.sailHalfLength = size.length * style.sailLength / 2;
    at.sailHalfWidth = at.radius * style.sailWidth;
    return at;
}

std::span<const ModelRecipe> submarineRecipes() { return kRecipes; }

} // namespace q71::mkdata
