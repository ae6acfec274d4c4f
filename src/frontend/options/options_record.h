#pragma once
// The player's options: one record of 45 32-bit fields, kept as "options.db" (exactly 180 bytes)
// in the player's folder. It is read once at start-up; a missing file gives the defaults and is
// written, a damaged one gives the defaults after a message and is left as it is.

#include "sim/services/front_end.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace q71 {

inline constexpr std::size_t kOptionsRecordBytes = 4 * kOptionsFieldCount;

/// The fields the program reads, beyond those the simulation names (OptionsField).
enum OptionsRecordField : int {
    kOptionTextures3d = 0, ///< 3-D textures on (1) or off
    kOptionDetail = 1,     ///< 1: detailed surface patches
    kOptionControlRoom3d = 23,
};

struct OptionsRecord {
    std::array<std::int32_t, kOptionsFieldCount> fields{};

    /// A field; 0 for a number outside the record.
    std::int32_t field(int number) const;
    /// Sets a field; nothing for a number outside the record.
    void setField(int number, std::int32_t value);
};

/// The options record of the program.
OptionsRecord& optionsRecord();
/// The record a new player starts with.
OptionsRecord optionsDefaults();

/// The record in a file's bytes, the chart's cell size held to 1-16; nothing unless they are
/// exactly one record.
std::optional<OptionsRecord> optionsDecode(std::span<const std::uint8_t> bytes);
/// The bytes of the record, little-endian field by field.
std::array<std::uint8_t, kOptionsRecordBytes> optionsEncode(const OptionsRecord& record);

/// The path of "options.db" in the player's folder ("" without one).
std::string optionsPath();
/// Reads "options.db" into the program's record (see above).
void optionsLoad();
/// Writes the program's record to "options.db" whole; false when it could not be written.
bool optionsSave();

} // namespace q71
