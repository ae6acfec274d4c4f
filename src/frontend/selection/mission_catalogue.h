#pragma once
// What the mission selection lists: the missions of one mode and set of the data set's
// "Scenario" folder in number order, their names and descriptions, the chosen one's briefing
// and grade thresholds, and what the player's record says of each.

#include "sim/scoring/scoring_state.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

struct MissionListing {
    std::string file;        ///< "Sa1.scn"
    std::int32_t index = 0;  ///< the 0-based number within its set
    std::string name;        ///< the mission-name block, or the file name without one
    std::string description; ///< the description block, "" without one
};

/// The file of mission `number` (from 1) of a mode (1 tutorial, 2 single, 3 campaign) and set (0 "a").
std::string missionFileName(std::int32_t mode, std::int32_t set, int number);
/// The missions of a mode and set in number order; the list ends at the first number without a
/// file, and after the 20 a set holds.
std::vector<MissionListing> missionCatalogue(std::int32_t mode, std::int32_t set);
/// The grade thresholds a scenario carries after its goals; none when the file cannot be read
/// that far.
std::optional<GradeThresholds> missionGradeThresholds(const std::string& file);

/// What the player's record holds for a mission: its score (none when never completed) and grade.
struct MissionRecordEntry {
    std::optional<std::int32_t> score;
    std::optional<std::int32_t> grade;
};
/// The current player's score and grade of a mission: the campaign's grade as it was booked,
/// the others' worked out from the score against the scenario's thresholds. Nothing before login
/// or for a mission outside the record's tables.
MissionRecordEntry missionRecordEntry(std::int32_t mode, std::int32_t set, const MissionListing& mission);

} // namespace q71
