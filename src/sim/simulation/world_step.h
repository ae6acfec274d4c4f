#pragma once
// The world step: the world moves forward in fixed sub-steps of 0.4 s of game time, whatever
// the time compression, and once a second the dead are purged, the others get their
// per-second update and entities whose time has come enter from the pending list.
//
// Walks of the world list inside an entity's step must leave the list's cursor where it was
// (walk the nodes, or save and restore the cursor): the step walks the list with it, and the
// collision test starts from it.

#include <cstdint>
#include <optional>

namespace q71 {

/// The fixed sub-step, seconds.
inline constexpr double kWorldSubStep = 0.4;

/// Lets every motion model of the world list keep its previous state (the list's cursor is left alone).
void worldSnapshotMotionStates();

/// Advances the running world by dt seconds (0.1 to 10): whole sub-steps, then the remainder.
void worldAdvance(double dt);

/// The per-second pass, elapsed seconds after the last one.
void worldSecondPass(double elapsed);

/// Asks for the death screen from inside a walk of the world: the mission may end (and its
/// entities go) only once the walk is over.
void worldQueueDeathScreen();

/// Shows the death screen asked for during the walk just ended, once. The advance and the
/// per-second pass call it as they end.
void worldShowQueuedDeathScreen();

/// The height of the sea floor under the own boat, with the bottom's roughness; nothing without
/// an own boat or where the terrain knows no bottom.
std::optional<double> worldBottomUnderOwnShip();

} // namespace q71
