#pragma once
// The own boat's launchers: four torpedo tubes and twelve vertical-launch cells, made by the
// weapon stations when the own-ship set-up builds them and deleted at mission end. The world
// reads them (a weapon's run ending is announced with its tube's number), the mission save
// writes them and the player's load-out loads them.

#include "sim/services/weapon_stations.h"

#include <memory>
#include <optional>

namespace q71 {

class Entity;

/// Builds the sixteen launchers (any built before are deleted) and loads them as a new mission
/// starts: tubes 2 and 1 with Harpoon, 4 and 3 with ADCAP, every cell with Tomahawk, nothing
/// assigned as target; unlimited weapons are on for the time of the loading, so the own boat's
/// inventory does not change.
void launcherTablesBuild();

/// Deletes the launchers (mission end).
void launcherTablesFree();

/// The launchers of a mission, owned.
struct OwnedLaunchers {
    std::array<std::unique_ptr<WeaponLauncher>, kTorpedoTubeCount> tubes;
    std::array<std::unique_ptr<WeaponLauncher>, kVlsCellCount> cells;
    bool built = false;
};

/// Takes the launchers out (the tables are then not built), so that another mission's can be
/// built and read meanwhile; launcherTablesPut gives them back.
OwnedLaunchers launcherTablesTake();
/// Puts launchers back in place of those built meanwhile, which are deleted.
void launcherTablesPut(OwnedLaunchers launchers);

/// The launchers, or nothing while they are not built.
std::optional<LauncherTables> launcherTables();

/// The number (1 to 4) of the tube that launched a weapon, or 0 when no tube did.
int launcherTubeOfWeapon(const Entity& weapon);

/// A tube's weapon ends its run: the sonar operator says so with the tube's number ("SSUnit%d.wav")
/// and the message log shows it; nothing when no tube launched the weapon.
void launcherAnnounceRunEnd(const Entity& weapon);

/// Takes a weapon out of the mission (it is flagged for removal); a tube's weapon is announced as
/// at the end of its run.
void removeLaunchedWeapon(Entity& weapon);

} // namespace q71
