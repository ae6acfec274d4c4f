#pragma once
// What the simulation asks of the weapon stations: the launchers of the own boat (four torpedo
// tubes and twelve vertical-launch cells, which the own-ship set-up creates and the mission
// save writes), the fire-control station's tube sides and switches, and the navigation plot.

#include "sim/simulation/geometry.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace q71 {

class Entity;
class RecordFile;

/// Weapon types of the launchers.
enum WeaponType : std::int32_t {
    kWeaponAdcap = 0,    ///< wire-guided torpedo
    kWeaponSlmm = 1,     ///< mobile mine
    kWeaponHarpoon = 2,  ///< anti-ship missile in a capsule
    kWeaponTomahawk = 3, ///< cruise missile
    kWeaponEmpty = 4,
};

/// One torpedo tube (numbers 1 to 4) or vertical-launch cell (5 to 16).
class WeaponLauncher {
public:
    virtual ~WeaponLauncher() = default;
    virtual int number() const = 0;
    virtual std::int32_t weaponType() const = 0;
    /// Loads another type, returning one of the old type to the own boat's inventory and taking
    /// one of the new, unless unlimited weapons are on.
    virtual void setWeaponType(std::int32_t type) = 0;
    /// Sets the state word of the doors and valves.
    virtual void setStateWord(std::int32_t state) = 0;
    /// The weapon this tube launched, found in the world, or null (always null for a cell).
    virtual Entity* launchedEntity() = 0;
    /// Writes the launcher into a saved mission; false on a write error.
    virtual bool save(RecordFile& file) = 0;
    /// Reads the launcher back; false on a short read.
    virtual bool load(RecordFile& file) = 0;
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
    virtual void setUnlimitedWeapons(bool on) = 0;
    /// True while the fire-control station is built.
    virtual bool fireControlExists() const = 0;
    /// Disables (0) or enables (1) the tubes of one side: 1 starboard, 2 port.
    virtual void setTubeSideState(int side, int state) = 0;
    /// Set while the fire panel is built: a missile launched from a tube keeps its wire.
    virtual bool firePanelFlag() const = 0;
    /// The fire-control station's wire-guidance setting.
    virtual std::int32_t wireGuidanceSetting() const = 0;
    /// The two state words of the weapons stations that a saved mission keeps.
    virtual std::array<std::uint32_t, 2> stationStates() const = 0;
    /// Hands the two saved state words to the stations, which take them when next built.
    virtual void restoreStationStates(std::array<std::uint32_t, 2> states) = 0;
    /// The own boat's waypoints plotted on the navigation chart (x, y).
    virtual std::vector<WorldPoint> plottedWaypoints() const = 0;
};

} // namespace q71
