#include "tactical/rwutils/rw_wake.h"

#include "render3d/immediate.h"
#include "render3d/library.h"
#include "render3d/material.h"
#include "sim/entities/entity.h"
#include "sim/entities/motion/own_boat_motion.h"
#include "sim/simulation/world_lists.h"
#include "sim/world/object_database.h"
#include "tactical/rwutils/rw_cache.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr const char* kWakeTexture = "wake.bmp";
constexpr float kApexLight = 0.7f;
constexpr float kTailLight = 0.3f;
constexpr float kTailHalfWidth = 10.0f;
constexpr float kTailLength = 150.0f;

constexpr float kTrailLight = 0.75f;
constexpr float kArraySide = 0.55f;
constexpr r3d::Vec3 kArrayExit{0.0f, -0.15f, -4.59f};

r3d::Material*& wakeMaterial() {
    static r3d::Material* material = nullptr;
    return material;
}

r3d::Material& ensureWakeMaterial() {
    r3d::Material*& m = wakeMaterial();
    if (!m) {
        m = r3d::createMaterial();
        r3d::setMaterialShading(*m, r3d::kShadingSmooth);
        r3d::setMaterialColour(*m, 0.2f, 0.3f, 0.4f);
        r3d::setMaterialSurface(*m, 0.0f, 0.6f, 0.0f);
        r3d::setMaterialOpacity(*m, 0.5f);
        r3d::setMaterialTexture(*m, rwLoadTexture(kWakeTexture));
        r3d::setMaterialTextureMode(*m, r3d::kTextureTinted);
    }
    return *m;
}

void drawWake(r3d::Clump&) {
    r3d::Material* m = wakeMaterial();
    if (!m || !r3d::beginImmediate(*m))
        return;
    const double l = r3d::queryLibrary(r3d::kQueryLightingValue) * 65536.0;
    const auto apex = static_cast<std::int32_t>(kApexLight * l);
    const auto tail = static_cast<std::int32_t>(kTailLight * l);
    auto v = r3d::immediateBuffer();
    v[0] = {{0, 0, 0}, apex, apex, apex, 0x8000, 0};
    v[1] = {{kTailHalfWidth, 0, -kTailLength}, tail, tail, tail, 0x10000, 0x10000};
    v[2] = {{-kTailHalfWidth, 0, -kTailLength}, tail, tail, tail, 0, 0x10000};
    r3d::immediateTriangle();
    r3d::endImmediate();
}

r3d::Material*& trailMaterial() {
    static r3d::Material* material = nullptr;
    return material;
}

r3d::Material& ensureTrailMaterial() {
    r3d::Material*& m = trailMaterial();
    if (!m) {
        m = r3d::createMaterial();
        r3d::setMaterialShading(*m, r3d::kShadingFlat);
        r3d::setMaterialColour(*m, 0.2f, 0.2f, 0.4f);
        r3d::keepMaterialValue(*m, 128.0f);
        r3d::setMaterialSurface(*m, 0.2f, 0.9f, 0.3f);
    }
    return *m;
}

void drawTrail(r3d::Clump& child) {
    const Entity* own = worldOwnShip();
    const auto* motion = own ? dynamic_cast<const OwnShipMotion*>(own->motion.get()) : nullptr;
    r3d::Material* m = trailMaterial();
    if (!motion || !m)
        return;
    const auto points =
        rwTrailPoints(child.world(), motion->recentTrack, motion->arrayLength1, motion->arraySelector != 0);
    if (points.size() < 2 || !r3d::beginImmediate(*m))
        return;
    const auto light =
        static_cast<std::int32_t>(kTrailLight * r3d::queryLibrary(r3d::kQueryLightingValue) * 65536.0);
    for (std::size_t i = 1; i < points.size(); ++i)
        r3d::immediateLine({points[i - 1], light, light, light}, {points[i], light, light, light});
    r3d::endImmediate();
}

} // namespace

void rwDecorateModel(const std::string& objectKey, r3d::Clump& clump, bool ownBoat) {
    const ObjectRecord* record = objdbFindByName(objectKey);
    if (record && record->kind == kObjectKindSurfaceShip)
        rwAddWake(clump);
    if (ownBoat)
        rwAddBubbleTrail(clump);
}

void rwAddBubbleTrail(r3d::Clump& clump) {
    ensureTrailMaterial();
    r3d::Clump* trail = r3d::createClump();
    // A carrier of the callback: its box spans the trail's reach so that it is never culled.
    r3d::addVertex(*trail, {-200, -200, -200});
    r3d::addVertex(*trail, {200, 200, 200});
    r3d::addVertex(*trail, {0, 0, 0});
    r3d::addTriangle(*trail, 1, 2, 3);
    trail->renderCallback = drawTrail;
    trail->tag = kTagBubbles;
    r3d::addChild(clump, trail);
}

std::vector<r3d::Vec3> rwTrailPoints(const r3d::Matrix& world, const std::deque<std::array<double, 3>>& track,
                                     double arrayLength, bool portSide) {
    const double wanted = std::trunc(0.1 * arrayLength);
    const std::size_t count = wanted > 1.0 ? std::min(track.size(), static_cast<std::size_t>(wanted)) : 0;
    std::vector<r3d::Vec3> points;
    if (count < 2)
        return points;
    const r3d::Matrix toLocal = r3d::inverse(world);
    r3d::Vec3 exit = kArrayExit;
    exit.x = portSide ? kArraySide : -kArraySide;
    const auto& first = track.front();
    for (std::size_t i = 0; i < count; ++i) {
        const auto& p = track[i];
        const r3d::Vec3 scene{static_cast<float>(0.1 * (p[0] - first[0])),
                              static_cast<float>(0.1 * (p[2] - first[2])),
                              static_cast<float>(-0.1 * (p[1] - first[1]))};
        const r3d::Vec3 d = toLocal.applyDirection(scene);
        points.push_back({exit.x + d.x, exit.y + d.y, exit.z + d.z});
    }
    return points;
}

void rwAddWake(r3d::Clump& clump) {
    ensureWakeMaterial();
    r3d::Clump* wake = r3d::createClump();
    r3d::addVertex(*wake, {0, 0, 0});
    r3d::addVertex(*wake, {kTailHalfWidth, 0, -kTailLength});
    r3d::addVertex(*wake, {-kTailHalfWidth, 0, -kTailLength});
    r3d::addTriangle(*wake, 1, 2, 3);
    wake->renderCallback = drawWake;
    wake->tag = kTagWake;
    r3d::addChild(clump, wake);
}

void rwFreeWake() {
    if (r3d::Material*& trail = trailMaterial()) {
        r3d::destroyMaterial(trail);
        trail = nullptr;
    }
    r3d::Material*& m = wakeMaterial();
    if (!m)
        return;
    rwReleaseTexture(kWakeTexture);
    r3d::destroyMaterial(m);
    m = nullptr;
}

} // namespace q71
