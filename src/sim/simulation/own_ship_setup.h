#pragma once
// The own boat of a new mission: the own submarine, which the scenario then places, and its
// launchers, the twelve vertical-launch cells and the four torpedo tubes with their first
// loads (launcher_tables.h). Built before the scenario is read; taken down by the mission end.

#include <cstdint>

namespace q71 {

/// Seeds the random generator for a mission: in a network game from the host's seed, else at
/// 1000 for the first single mission, so that it plays the same every time, else from the time
/// of day.
void simSeedMission();

/// The first part of the set-up: the random generator seeded, the signature tables built, and
/// the generator seeded again.
void simSeedAroundSignatureTables();
/// The second part: the own submarine made and put in the world, and its launchers built with
/// their first loads.
void simBuildOwnShipAndLaunchers(std::int32_t playerId);

/// Builds the own submarine and its launchers for a new mission: the game clock set to 0, the
/// random generator seeded (at 1000 for the first single mission), the signature tables built,
/// the own submarine made and put in the world (in a network game with the player's side and id), then the cells and
/// tubes with their first loads, taken from no inventory. In a network game `playerId` is the
/// side of the player's boat.
void simSetupOwnShip(std::int32_t playerId);

} // namespace q71
