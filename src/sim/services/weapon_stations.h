#pragma once
// What the simulation asks of the weapon stations: the launchers of the own boat (four torpedo
// tubes and twelve vertical-launch cells, which the own-ship set-up creates and the mission
// save writes), the fire-control station's tube sides and its guidance switch, and the
// navigation plot.

#include "sim/simulation/geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace q71 {

class ByteSink;
class ByteSource;
class Entity;

/// Weapon types of the launchers.
enum WeaponType : std::int32_t {
    kWeaponAdcap = 0,    ///< wire-guided torpedo
    kWeaponSlmm = 1,     ///< mobile mine
    kWeaponHarpoon = 2,  ///< anti-ship missile in a capsule
    kWeaponTomahawk = 3, ///< cruise missile
    kWeaponEmpty = 4,
};

/// A launcher's target when nothing is assigned (a new tube, or the own-ship set-up's cells): a
/// value no designation takes, so that contact 4 can be a target. A saved mission writes it as
/// kSavedTargetNotAssigned.
inline constexpr std::int32_t kTargetNotAssigned = -2;
inline constexpr std::int32_t kSavedTargetNotAssigned = 4;

/// One torpedo tube (numbers 1 to 4) or vertical-launch cell (5 to 16).
class WeaponLauncher {
public:
    virtual ~WeaponLauncher() = default;
    virtual int number() const = 0;
    virtual std::int32_t weaponType() const = 0;
    /// Loads another type, returning one of the old type to the own boat's inventory and taking
    /// one of the new, unless unlimited weapons are on.
    virtual void setWeaponType(std::int32_t type) = 0;
    /// Sets the designation number of the contact aimed at: −1 none (fire on the set course),
    /// kTargetNotAssigned when nothing is assigned.
    virtual void setTarget(std::int32_t target) = 0;
    /// The weapon this tube launched, found in the world, or null (always null for a cell).
    virtual Entity* launchedEntity() = 0;
    /// Writes the launcher into a saved mission; false on a write error.
    virtual bool save(ByteSink& sink) const = 0;
    /// Reads the launcher back; false on a short or damaged input, which leaves it as it was.
    virtual bool load(ByteSource& source) = 0;
};

inline constexpr int kVlsCellCount = 12;
inline constexpr int kTorpedoTubeCount = 4;

/// The own boat's launchers in table order: the tube slots hold the tubes numbered 2, 1, 4, 3; the
/// cell slots three groups of four, numbered 8, 6, 5, 7 / 12, 10, 9, 11 / 16, 14, 13, 15.
struct LauncherTables {
    std::array<WeaponLauncher*, kVlsCellCount> cells{};
    std::array<WeaponLauncher*, kTorpedoTubeCount> tubes{};
};

class WeaponStations {
public:
    virtual ~WeaponStations() = default;
    /// A new torpedo tube with its number (1 to 4).
    virtual std::unique_ptr<WeaponLauncher> createTorpedoTube(int number) = 0;
    /// A new vertical-launch cell with its number (5 to 16).
    virtual std::unique_ptr<WeaponLauncher> createVlsCell(int number) = 0;
    /// While on, loading a launcher neither takes from nor returns to the inventory.
    virtual bool unlimitedWeapons() const = 0;
    /// Switches unlimited weapons on or off, as a set-up does for the time of its loading.
    virtual void setUnlimitedWeapons(bool on) = 0;
    /// True while the fire-control station is built.
    virtual bool fireControlExists() const = 0;
    /// Disables (0) or enables (1) the tubes of one side: 1 starboard, 2 port.
    virtual void setTubeSideState(int side, int state) = 0;
    /// The fire panel's guidance switch: while off, firing launches nothing, and a missile leaves
    /// its tube without its wire.
    virtual bool fireGuidanceSwitch() const = 0;
    /// The two state words of the weapons stations that a saved mission keeps.
    virtual std::array<std::uint32_t, 2> stationStates() const = 0;
    /// Hands the two saved state words to the stations, which take them when next built.
    virtual void restoreStationStates(std::array<std::uint32_t, 2> states) = 0;
    /// The own boat's waypoints plotted on the navigation chart (x, y).
    virtual std::vector<WorldPoint> plottedWaypoints() const = 0;
};

} // namespace q71
