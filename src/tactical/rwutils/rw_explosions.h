#pragma once
// The pool of ten explosion sprites (docs/rwutils.md): surface and underwater fireballs that
// run 3 seconds through 15 frames, with secondary bursts and a fade over their second half. The
// host screen opens the pool with a mission and closes it after; a closed pool starts nothing.
// Each explosion's fireball texture comes from one of two cycles of six names, the next name
// loading in the background so that successive explosions differ without a pause for reading.

#include "render3d/clump.h"

#include <string>

namespace q71 {

inline constexpr int kExplosionSlots = 10;
inline constexpr int kExplosionFrames = 15;
inline constexpr double kExplosionDuration = 3.0;

struct RwExplosion {
    int state = 0; ///< 0 free, 1 running
    double start = 0.0;
    double duration = 0.0;
    double size = 0.0;
    r3d::Clump* parent = nullptr;
    r3d::Clump* sprite = nullptr;
    int frameCount = 0;
    int frame = 0;
    double framePeriod = 0.0;
    float nextFrameTime = 0.0f;
    float opacity = 1.0f;
    int secondariesLeft = 0;
    double secondaryInterval = 0.0;
    double nextSecondaryTime = 0.0;
    double x = 0.0, y = 0.0, z = 0.0; ///< world metres
    std::string texture;
};

/// Opens the pool: every slot free, each cycle's next name taken as current and loaded.
void rwInitExplosions();
/// Closes the pool: running explosions are removed, the cycles' textures released. Safe to call
/// with the pool closed.
void rwFreeExplosions();
bool rwExplosionsOpen();
/// Starts an explosion at a world point (metres) in the parent; nothing when the pool is closed
/// or all ten slots run. Surface texture when -1 < z < 1 or the surface flag is set.
void rwStartExplosion(r3d::Clump* parent, double x, double y, double z, double size, bool surface,
                      int secondaries);
/// Advances the explosions for a frame of a view whose floating origin is (X, Z) in scene units.
void rwUpdateExplosions(float originX, float originZ);
/// Ends at once the explosions hanging in the parent (before the parent goes).
void rwDropExplosionsIn(const r3d::Clump* parent);
/// The slot (0 ... 9), for the views and tests.
const RwExplosion& rwExplosionSlot(int index);
/// The current name of the surface (true) or underwater cycle.
const std::string& rwExplosionTextureName(bool surface);

} // namespace q71
