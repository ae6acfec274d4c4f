#pragma once
// The replay log in a saved mission: the whole log written so far travels with the save, and a
// loaded mission's new log starts with it, so the debriefing replays the mission from its start.

#include <cstdint>
#include <optional>
#include <span>

namespace q71 {

class ByteSink;

/// Writes the size and the bytes of the open replay log, its write position kept; a size of 0 when
/// no log is open. False on a read or write error.
bool replaySaveInto(ByteSink& sink);
/// Appends saved bytes to the open replay log; nothing when no log is open.
void replayLoadFrom(std::span<const std::uint8_t> bytes);

/// The length of the open replay log, or none while it is closed.
std::optional<std::uint64_t> replayLogLength();
/// Cuts the open replay log back to a length it had: what was written since is dropped.
void replayLogCutBack(std::uint64_t length);

} // namespace q71
