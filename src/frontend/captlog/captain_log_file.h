#pragma once
// The captain's log: one text file per player ("<key>.clg" in the player's folder), one entry a
// line, in the program's Windows-1252 text. A line the captain types is added with its date, and
// each debriefing adds the mission's result. The log is never edited in place: every addition
// reads the whole file, checks it and replaces it whole (a new file written to the disk, then
// renamed over the old one), so a failed write leaves the old log as it was; a log that cannot
// be read as one is never written over.

#include <cstdint>
#include <ctime>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace q71 {

/// The largest log read: a long career, far from what memory or the text box would mind.
inline constexpr std::size_t kCaptLogMaxBytes = 1u << 22;

enum class CaptLogStatus {
    Ok,         ///< read (a missing log is an empty one)
    Unreadable, ///< there, but it could not be read
    Damaged,    ///< control characters or NUL bytes: not a log this program wrote
    TooLarge,   ///< above kCaptLogMaxBytes
};

struct CaptLog {
    CaptLogStatus status = CaptLogStatus::Ok;
    std::vector<std::string> lines;
};

/// The log a file's bytes hold: lines ended by '\n' (a '\r' before it is dropped, a last line may
/// go without one). Anything but text refuses the whole file (its lines stay empty).
CaptLog captLogParse(std::span<const std::uint8_t> bytes);
/// The bytes of a log: every line followed by '\n'.
std::vector<std::uint8_t> captLogBytes(const std::vector<std::string>& lines);

/// Reads the log at a program path; a missing file is an empty log.
CaptLog captLogRead(const std::string& path);
/// Adds lines at the end of the log at a path, replacing the file whole; false, the file as it
/// was, when the log cannot be read as one or the new file cannot be written.
bool captLogAppend(const std::string& path, const std::vector<std::string>& lines);

/// A typed text made one entry: its date ("07/12/2026 18:50", local time) before it, control
/// characters made spaces, so that an entry is always one line.
std::string captLogEntry(std::time_t when, std::string_view text);

/// The current player's log; "" before login.
std::string captLogPath();
/// Adds the mission's result (its lines) under a dated heading to the current player's log; false
/// when there is no player, nothing to add or the log could not be written.
bool captLogAddMissionFlow(std::string_view missionName, std::string_view flowText);

} // namespace q71
