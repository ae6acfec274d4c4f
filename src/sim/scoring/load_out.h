#pragma once
// The weapon load-out a player's record carries from one campaign mission to the next: the
// own submarine's seven inventory counts and the weapon type of each launcher.

#include "sim/scoring/player_record.h"

namespace q71 {

/// Copies the record's inventory to the own submarine and loads the launchers with the record's
/// weapon types, taking nothing from the inventory; nothing without an own boat.
void applyPlayerLoadOut(const PlayerRecord& record);
/// Copies the own submarine's inventory and the launchers' weapon types into the record;
/// nothing without an own boat.
void savePlayerLoadOut(PlayerRecord& record);

/// Loads the launchers with weapon types, taking nothing from the inventory. A type the launchers
/// do not know (a damaged record) leaves the launcher empty.
void loadLaunchers(const std::array<std::int32_t, kVlsCellCount>& cells,
                   const std::array<std::int32_t, kTorpedoTubeCount>& tubes);

/// Reads the launchers' weapon types into the arrays; entries of launchers not built stay as they are.
void readLauncherTypes(std::array<std::int32_t, kVlsCellCount>& cells,
                       std::array<std::int32_t, kTorpedoTubeCount>& tubes);

} // namespace q71
