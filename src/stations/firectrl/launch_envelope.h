#pragma once
// The launches the tubes and cells share: whether a missile can leave the boat at its present
// speed and depth, and the cruise missile's launch along a launcher's route.

#include <cstdint>

namespace q71 {

class Entity;
class Launcher;
class MotionModel;

/// Whether a missile leaves the water: slow and shallow enough (a Tomahawk also whenever the boat
/// is within 4 m of the surface), or by chance a little faster and deeper.
bool missileLaunchSucceeds(const MotionModel& ownBoat, bool tomahawk);

/// What a cruise-missile launch put into the world.
struct CruiseMissileLaunch {
    Entity* missile = nullptr; ///< the capsule, or the lost missile; null when nothing was launched
    bool lost = false;         ///< it failed to leave the water and falls back
};

/// Launches a Tomahawk from a launcher with a flight range, along the launcher's waypoints; nothing
/// without an own boat.
CruiseMissileLaunch launchCruiseMissile(Launcher& launcher, std::int32_t range);

} // namespace q71
