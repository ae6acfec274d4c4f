#pragma once
// Drifting particles around an under-water camera and the short-lived bubble and smoke puffs
// (docs/rwutils.md), drawn straight from their tables with immediate-mode triangles in the
// frame of the view: scene position less the floating origin, the camera at (0, Y, 0).

#include "render3d/math.h"

#include <vector>

namespace q71 {

inline constexpr int kParticleCount = 100;
inline constexpr float kParticleReach = 70.0f;

enum PuffKind { kPuffBubbles = 0, kPuffSmoke = 1, kPuffRisingSmoke = 2 };

struct Particle {
    float x = 0, y = 0, z = 0; ///< scene units
    float half = 0;
    float opacity = 0;
};

struct Puff {
    float x = 0, y = 0, z = 0; ///< scene units, y up
    float half = 0;
    float opacity = 0;
    float startOpacity = 0;
    float life = 0; ///< seconds
    double end = 0; ///< game seconds
    int kind = 0;
    float vx = 0, vy = 0, vz = 0; ///< units per second
};

/// Places the particles, loads their textures and makes the particle, bubble and smoke
/// materials (start-up; again after rwFreeEffectList).
void rwInitParticles();
/// Draws the particles around the camera (scene position), recycling those beyond 70 units.
void rwDrawParticles(r3d::Vec3 camera);
/// Adds a puff; refused for a life of 0 or less or an unknown kind.
void rwAddPuff(float x, float y, float z, float half, float opacity, float life, int kind, float spread,
               float vx, float vy, float vz);
/// Moves and fades the puffs; drops the ended ones and the bubbles that reach the surface.
void rwUpdatePuffs();
/// Draws the puffs seen from the camera (scene position).
void rwDrawPuffs(r3d::Vec3 camera);
/// Frees every puff (a mission's clock shutting down).
void rwClearEffectList();
/// Frees every puff, releases the particle textures and destroys the materials (shutdown).
void rwFreeEffectList();

const std::vector<Puff>& rwPuffs();
const std::vector<Particle>& rwParticles();

} // namespace q71
