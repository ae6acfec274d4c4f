#pragma once
// The deck log of the debriefing: the replay log's records told as lines of the log, by event
// kind, with the game time, the names, and range and bearing where the record has them. The own
// boat's position records make the track, not lines.

#include "sim/scoring/replay_event.h"

#include <optional>
#include <string>
#include <vector>

namespace q71 {

/// The line of one record; none for a record the log does not tell (position reports).
std::optional<std::string> deckLogLine(const ReplayEvent& event);
/// The lines of a whole log, in its order.
std::vector<std::string> deckLogLines(const std::vector<ReplayEvent>& events);

} // namespace q71
