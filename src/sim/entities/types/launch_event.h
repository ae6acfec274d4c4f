#pragma once
// The replay record of a weapon or countermeasure leaving its launcher.

#include <cstdint>

namespace q71 {

/// Writes the launch of a record's weapon by a launcher to the replay log.
void writeLaunchEvent(std::int32_t launcherId, std::uint32_t recordId);

} // namespace q71
