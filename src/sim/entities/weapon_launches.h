#pragma once
// The launches of the weapon classes as the own boat's weapon stations and the guidance of a
// rocket ask for them: a torpedo, a missile or a mobile mine leaving a tube, a capsule leaving a
// tube or a cell, a missile lost at the launch, and a torpedo released from a rocket. Each puts
// the weapon into the world and returns it. The weapon classes install their launches at
// start-up; until they do, nothing is launched and every call returns null.

#include "sim/simulation/geometry.h"

#include <cstdint>
#include <string_view>

namespace q71 {

class Entity;

/// A torpedo's start from a tube (distances in yards, depths in feet, positive up).
struct TorpedoTubeLaunch {
    int tube = 1;          ///< 1 to 4
    double course = 0.0;   ///< preset course, degrees
    int searchPattern = 0; ///< 0 snake, 1 circle, other straight
    double enableDistance = 0.0;
    double presetSpeed = 0.0;
    double searchSpeed = 0.0;
    double searchDepth = 0.0;
    double ceiling = 0.0;
    double floor = 0.0;
    int seekerPreset = 0; ///< 0 active, 1 passive, 2 none
};

/// A missile's start from a tube in its capsule (distances in units of 2000 yards).
struct MissileTubeLaunch {
    int tube = 1;
    double course = 0.0;      ///< degrees
    double targetRange = 0.0; ///< yards, or 0 without a contact
    int vertical = 0;         ///< leaves the water pitched straight up
    int designatedKind = 2;   ///< the entity kind its seeker takes
    double runDistance = 0.0;
    double enableDistance = 0.0;
    int flag = 0;
};

/// A mobile mine's start from a tube: its ordered course (degrees), speed, run (metres) and depth (feet,
/// positive up).
struct MobileMineLaunch {
    int tube = 1;
    double course = 0.0;
    double speed = 0.0;
    double range = 0.0;
    double depth = 0.0;
};

/// A missile lost at the launch: it leaves at the tube's exit point (tube 0: at the launcher) on a
/// heading, speed and pitch, and falls back with the motion values a failed launch gives.
struct LostMissileLaunch {
    int tube = 0;
    double heading = 0.0;
    double speed = 0.0;
    double pitch = 0.0;
    double verticalSpeed = 0.0; ///< m/s, up
    double orderedPitch = 0.0;  ///< the pitch it falls toward
    double response = 0.0;      ///< responseGain and responseLoad of its motion
};

/// A torpedo released by a rocket at a point, on a course, with its run and enable distances
/// (units of 2000 yards) and the kind of target it takes.
struct TorpedoRelease {
    std::uint32_t recordId = 0;
    WorldPoint position;
    double course = 0.0;
    double runDistance = 0.0;
    double enableDistance = 0.0;
    int designatedKind = 0;
};

class WeaponLaunches {
public:
    virtual ~WeaponLaunches() = default;
    /// A torpedo of a type from a launcher's tube, guided by its presets.
    virtual Entity* launchTorpedo(Entity& launcher, std::string_view typeName,
                                  const TorpedoTubeLaunch& launch) = 0;
    /// A missile capsule of a type from a launcher's tube.
    virtual Entity* launchTubeMissile(Entity& launcher, std::string_view typeName,
                                      const MissileTubeLaunch& launch) = 0;
    /// A mobile mine of a type from a launcher's tube.
    virtual Entity* launchMobileMine(Entity& launcher, std::string_view typeName,
                                     const MobileMineLaunch& launch) = 0;
    /// A capsule carrying a missile of a type to the surface from a tube (1 to 4) or cell (5 to
    /// 16), its run in units of 2000 yards; it flies the orders then queued on its controller.
    virtual Entity* launchCapsule(Entity& launcher, std::string_view typeName, int launcherNumber,
                                  double runDistance) = 0;
    /// A missile of a type lost at the launch.
    virtual Entity* launchLostMissile(Entity& launcher, std::string_view typeName,
                                      const LostMissileLaunch& launch) = 0;
    /// A torpedo released by a carrier.
    virtual Entity* releaseTorpedo(Entity& carrier, const TorpedoRelease& release) = 0;
};

/// Launches nothing: what stands until the weapon classes are installed, and a base for tests
/// that record some launches.
class NoWeaponLaunches : public WeaponLaunches {
public:
    Entity* launchTorpedo(Entity&, std::string_view, const TorpedoTubeLaunch&) override { return nullptr; }
    Entity* launchTubeMissile(Entity&, std::string_view, const MissileTubeLaunch&) override {
        return nullptr;
    }
    Entity* launchMobileMine(Entity&, std::string_view, const MobileMineLaunch&) override { return nullptr; }
    Entity* launchCapsule(Entity&, std::string_view, int, double) override { return nullptr; }
    Entity* launchLostMissile(Entity&, std::string_view, const LostMissileLaunch&) override {
        return nullptr;
    }
    Entity* releaseTorpedo(Entity&, const TorpedoRelease&) override { return nullptr; }
};

/// Installs the weapon classes' launches; null puts back the one that launches nothing.
void weaponLaunchesInstall(WeaponLaunches* launches);
/// The installed launches.
WeaponLaunches& weaponLaunches();

} // namespace q71
