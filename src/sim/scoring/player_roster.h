#pragma once
// The roster "player.db" in the player's folder: every player's record, in order of creation.
// The login screen lists it and chooses or creates a player; the chosen player's record stays
// in memory until shutdown and is written back in place after every mission. The roster is a
// player's whole history: it is always replaced whole (player_files.h), and a damaged roster
// is reported and kept as it is, never written over.

#include "sim/scoring/player_record.h"

#include <string>
#include <vector>

namespace q71 {

/// One player of the roster, as the login screen lists it.
struct RosterEntry {
    std::string name; ///< the key without its number
    int number = 0;   ///< the three-digit number of the key, −1 when the key has none
};

/// What reading the roster found.
enum class RosterStatus {
    Ok,         ///< read (a missing roster is an empty one)
    Damaged,    ///< the chosen record's size word is wrong
    Unreadable, ///< there but not readable, or there is no player folder
    BadNumber,  ///< the number asked for is not one of three digits
};

/// The path of the roster.
std::string playerDbPath();

/// The players of the roster in order of creation; nothing when it is damaged or unreadable.
std::optional<std::vector<RosterEntry>> playerDbList();
/// The players a roster's bytes hold; nothing when they are not a whole number of records.
std::optional<std::vector<RosterEntry>> playerRosterEntries(std::span<const std::uint8_t> roster);

/// Finds the player with that name and number (0-999), or creates one at the end of the roster, and
/// makes that record the current one; "a.cdf" is loaded. A damaged or unreadable roster is a fatal
/// error; a number that is not one of three digits gives null.
PlayerRecord* playerDbLoad(std::string_view name, int number);
/// The same without the fatal report: the status says why no record was chosen.
RosterStatus playerDbChoose(std::string_view name, int number);

/// Writes the current record back in place; false (after a warning) when it could not be written.
bool playerDbSave();

/// The current player's record, or null before login.
PlayerRecord* playerRecord();
/// Frees the current record.
void playerDbRelease();

} // namespace q71
