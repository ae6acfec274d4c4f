#pragma once
// The player's saved mission, one per kind of mission: "<key>.svt" for a tutorial, ".svs" for a
// single mission, ".svc" for a campaign mission, in the player's folder. A network game, or a
// world with no mission mode, has none. Loading one replaces the running mission, whose host
// screen holds stations that point into the world: the host goes first, the load follows, and
// the host is built again for whichever mission then runs.

#include <cstdint>
#include <string>

namespace q71 {

/// The extension of a mode's save (".svs"), or null for a mode without one.
const char* savedMissionExtension(std::int32_t mode);
/// The path of the current player's save for a mode; "" when there is none to have (mode 0 or
/// another without one, a network game, no player or no player folder).
std::string savedMissionPath(std::int32_t mode);
/// True when that save exists.
bool savedMissionExists(std::int32_t mode);

/// Saves the running mission to the save of its mode; false (the old file kept, said in a box by
/// the save) when it cannot be written or the mission has none.
bool savedMissionWrite();

/// Asks, from inside the host, for the save of the running mission's mode to be loaded once the
/// host's own handlers are left.
void savedMissionLoadLater();

/// Loads the save of a mode from the front end, where no mission runs, and shows it on the host;
/// false when it is missing or refused (said in a box by the load).
bool savedMissionResume(std::int32_t mode);

} // namespace q71
