#pragma once
// One record of the replay log, 152 bytes little-endian: the event with the names, ranges and
// kinds of the entities it is about, so that the debriefing can tell the mission without the
// world that made it.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace q71 {

inline constexpr size_t kReplayEventSize = 152;
inline constexpr size_t kReplayNameSize = 40;

struct ReplayEvent {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    double time = 0.0;
    std::int32_t kind = 0;
    double range = 0.0;   ///< yards from the subject to the object, 0 when not worked out
    double bearing = 0.0; ///< degrees from the subject to the object, 0 when not worked out
    std::array<char, kReplayNameSize> subjectName{}; ///< always zero-terminated
    std::array<char, kReplayNameSize> objectName{};  ///< always zero-terminated
    std::int32_t subjectId = 0;
    std::int32_t subjectCategory = 0; ///< 0 when the subject was not in the world
    std::int32_t subjectClass = 0;    ///< the subject's class word, 0 when not in the world
    std::int32_t extra = 0;
};

/// Stores a name cut to 39 characters and zero-terminated.
void replaySetName(std::array<char, kReplayNameSize>& field, std::string_view name);
/// The name stored in a field.
std::string_view replayName(const std::array<char, kReplayNameSize>& field);

/// Encodes a record into its 152 bytes (the reserved bytes 0).
void replayEventEncode(const ReplayEvent& event, std::span<std::uint8_t, kReplayEventSize> bytes);
/// Decodes 152 bytes; a name without its terminator is cut to 39 characters.
ReplayEvent replayEventDecode(std::span<const std::uint8_t, kReplayEventSize> bytes);
/// The whole records of a replay log's bytes, in order; a partial record at the end is left out.
std::vector<ReplayEvent> replayLogDecode(std::span<const std::uint8_t> bytes);

} // namespace q71
