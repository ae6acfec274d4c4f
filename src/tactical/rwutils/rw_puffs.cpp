#include "tactical/rwutils/rw_puffs.h"

#include "render3d/immediate.h"
#include "render3d/library.h"
#include "render3d/material.h"
#include "sim/simulation/sim_clock.h"
#include "tactical/rwutils/rw_cache.h"
#include "tactical/rwutils/rw_random.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr float kSurfaceBand = 0.0078125f;
constexpr float kUnderwaterCamera = -0.05f;
constexpr float kPuffRange = 600.0f;
constexpr float kPuffLight = 0.7f;
constexpr float kKeptSetting = 128.0f;
constexpr float kFixedOne = 65536.0f;
constexpr const char* kParticleTexture = "bubbles1.bmp";
constexpr const char* kBubbleTexture = "bubbles2.bmp";
constexpr const char* kSmokeTexture = "smoke.bmp";

struct Effects {
    std::vector<Particle> particles;
    std::vector<Puff> puffs;
    r3d::Material* particle = nullptr;
    r3d::Material* bubbles = nullptr;
    r3d::Material* smoke = nullptr;
};

Effects& effects() {
    static Effects e;
    return e;
}

struct MaterialLook {
    int shading;
    float r, g, b;
    float ambient, diffuse, specular;
    float opacity; // 1: opaque
    const char* texture;
};

r3d::Material* makeMaterial(const MaterialLook& look) {
    r3d::Material* m = r3d::createMaterial();
    r3d::setMaterialShading(*m, look.shading);
    r3d::setMaterialColour(*m, look.r, look.g, look.b);
    r3d::keepMaterialValue(*m, kKeptSetting);
    r3d::setMaterialSurface(*m, look.ambient, look.diffuse, look.specular);
    if (look.opacity < 1.0f)
        r3d::setMaterialOpacity(*m, look.opacity);
    r3d::setMaterialTexture(*m, rwLoadTexture(look.texture));
    r3d::setMaterialTextureMode(*m, r3d::kTextureLit);
    return m;
}

void placeAround(Particle& p, r3d::Vec3 c) {
    p.x = c.x + (rwRandomByteFraction() - 0.5f) * 2 * kParticleReach;
    p.z = c.z + (rwRandomByteFraction() - 0.5f) * 2 * kParticleReach;
    p.y = c.y + (rwRandomByteFraction() - 0.5f) * 5.0f;
    p.half = 0.01f + 0.1f * rwRandomByteFraction();
    p.opacity = 0.5f;
}

// Six triangles spanning ± half about the centre: a square in each of the three planes.
void drawBlob(r3d::Vec3 centre, float half, std::int32_t light) {
    constexpr std::int32_t one = 0x10000;
    const std::array<std::array<r3d::Vec3, 4>, 3> squares{{
        {{{-half, -half, 0}, {half, -half, 0}, {half, half, 0}, {-half, half, 0}}},
        {{{0, -half, -half}, {0, -half, half}, {0, half, half}, {0, half, -half}}},
        {{{-half, 0, -half}, {half, 0, -half}, {half, 0, half}, {-half, 0, half}}},
    }};
    constexpr std::array<std::array<std::int32_t, 2>, 4> uv{{{0, one}, {one, one}, {one, 0}, {0, 0}}};
    std::array<r3d::ImmediateVertex, 4> corners;
    for (const auto& square : squares) {
        for (std::size_t i = 0; i < 4; ++i)
            corners[i] = {{centre.x + square[i].x, centre.y + square[i].y, centre.z + square[i].z},
                          light,
                          light,
                          light,
                          uv[i][0],
                          uv[i][1]};
        r3d::immediateTriangle(corners, 0, 1, 2);
        r3d::immediateTriangle(corners, 0, 2, 3);
    }
}

std::int32_t lightValue(float factor) {
    return static_cast<std::int32_t>(r3d::queryLibrary(r3d::kQueryLightingValue) * factor * kFixedOne);
}

void drawIn(r3d::Material* material, float opacity, r3d::Vec3 centre, float half, std::int32_t light) {
    if (!material)
        return;
    r3d::setMaterialOpacity(*material, opacity);
    if (!r3d::beginImmediate(*material))
        return;
    drawBlob(centre, half, light);
    r3d::endImmediate();
}

} // namespace

void rwInitParticles() {
    Effects& e = effects();
    e.particles.assign(kParticleCount, Particle{});
    for (Particle& p : e.particles)
        placeAround(p, {0, 0, 0});
    if (e.particle)
        return;
    e.particle =
        makeMaterial({r3d::kShadingFlat, 0.5f, 0.8f, 0.5f, 0.4f, 0.8f, 0.0f, 0.5f, kParticleTexture});
    e.bubbles = makeMaterial({r3d::kShadingSmooth, 0.8f, 0.8f, 0.8f, 0.8f, 0.8f, 0.0f, 1.0f, kBubbleTexture});
    e.smoke = makeMaterial({r3d::kShadingFlat, 0.5f, 0.8f, 0.5f, 0.4f, 0.8f, 0.0f, 0.5f, kSmokeTexture});
}

void rwDrawParticles(r3d::Vec3 camera) {
    Effects& e = effects();
    const auto dt = static_cast<float>(simClock().lastFrameStep);
    const std::int32_t light = lightValue(kPuffLight);
    for (Particle& p : e.particles) {
        if (std::hypot(p.x - camera.x, p.z - camera.z) > kParticleReach) {
            placeAround(p, camera);
        } else {
            p.x += 0.1f * dt;
            p.z += 0.15f * dt;
        }
        drawIn(e.particle, p.opacity, {p.x - camera.x, p.y, p.z - camera.z}, p.half, light);
    }
}

void rwAddPuff(float x, float y, float z, float half, float opacity, float life, int kind, float spread,
               float vx, float vy, float vz) {
    if (life <= 0.0f || kind < kPuffBubbles || kind > kPuffRisingSmoke)
        return;
    auto offset = [spread] { return rwRandomFraction() * spread - spread / 2; };
    Puff p;
    p.x = x + offset();
    if (kind == kPuffSmoke) {
        p.y = y;
        p.z = z + offset();
        p.vx = vx + offset() * 0.25f;
        p.vz = vz + offset() * 0.25f;
        p.vy = vy + offset() * 0.1f;
    } else {
        p.y = y + offset();
        p.z = z;
        p.vx = vx;
        p.vy = vy;
        p.vz = vz;
    }
    p.half = half;
    p.opacity = std::min(opacity, 1.0f);
    p.startOpacity = p.opacity;
    p.life = life;
    p.end = simClock().gameClock + life;
    p.kind = kind;
    effects().puffs.push_back(p);
}

void rwUpdatePuffs() {
    const double now = simClock().gameClock;
    const auto dt = static_cast<float>(simClock().lastFrameStep);
    std::erase_if(effects().puffs, [&](Puff& p) {
        if (p.end < now || (p.kind == kPuffBubbles && p.y >= 0.0f))
            return true;
        p.x += dt * p.vx;
        p.y += dt * p.vy;
        p.z += dt * p.vz;
        p.opacity = p.startOpacity * static_cast<float>(std::max(0.0, (p.end - now) / p.life));
        return false;
    });
}

void rwDrawPuffs(r3d::Vec3 camera) {
    Effects& e = effects();
    const bool under = camera.y < kUnderwaterCamera;
    const std::int32_t light = lightValue(kPuffLight);
    for (const Puff& p : e.puffs) {
        const r3d::Vec3 d{p.x - camera.x, p.y - camera.y, p.z - camera.z};
        if (r3d::length(d) > kPuffRange)
            continue;
        const bool shown = under ? p.y < kSurfaceBand : (p.kind != kPuffBubbles && p.y > kSurfaceBand);
        if (shown)
            drawIn(p.kind == kPuffBubbles ? e.bubbles : e.smoke, p.opacity, {d.x, p.y, d.z}, p.half, light);
    }
}

void rwClearEffectList() {
    effects().puffs.clear();
}

void rwFreeEffectList() {
    Effects& e = effects();
    e.puffs.clear();
    if (!e.particle)
        return;
    for (const char* name : {kParticleTexture, kBubbleTexture, kSmokeTexture})
        rwReleaseTexture(name);
    for (r3d::Material* m : {e.particle, e.bubbles, e.smoke})
        r3d::destroyMaterial(m);
    e.particle = e.bubbles = e.smoke = nullptr;
}

const std::vector<Puff>& rwPuffs() {
    return effects().puffs;
}

const std::vector<Particle>& rwParticles() {
    return effects().particles;
}

} // namespace q71
