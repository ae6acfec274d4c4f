#pragma once
// The mission flow of scoring: a mission begins (the replay log opened, goals and thresholds
// read, a campaign mission's starting state restored), resumes from a saved game, ends (the
// result booked into the player's record, the station levels raised, the campaign carried on)
// or is abandoned; and at shutdown the record is written back.

#include "framework/resources/record_file.h"

#include <array>
#include <cstdint>
#include <string>

namespace q71 {

/// Where a campaign stands (with the mission mode and index of the mission state).
struct CampaignPlay {
    std::int32_t leg = 0;    ///< the leg of the current mission
    bool firstOfLeg = false; ///< the mission is the first of its leg
    std::int32_t rating = 0; ///< 0-5, worked out at the end of a campaign mission
};

/// The campaign state of the running mission.
CampaignPlay& campaignPlay();

/// Begins a mission: the scenario's name gives the mission number; the goals and thresholds come
/// from the open scenario file when there is one, else from the name's goal and threshold files.
void scoringBeginMission(const std::string& scenarioName, std::int32_t mode, RecordFile* scenario);
/// Resumes a saved mission with its mode, mission index, score and leg (the goals are read after).
void scoringResumeMission(std::int32_t mode, std::int32_t missionIndex, std::int32_t score, std::int32_t leg);
/// Ends a mission: grades it and books the result into the player's record.
void scoringEndMission();
/// Abandons a mission: single and tutorial missions keep their score, a campaign mission is undone.
void scoringAbortMission();
/// At program exit: writes the record back and frees the goals, the log, the campaign and the record.
void scoringShutdown();

/// The campaign rating after mission m of a set: the grades of missions 0 to m weighted by
/// halves towards the past, raised to the power m, less one, truncated and held to 0-5.
std::int32_t campaignRating(const std::array<std::int32_t, 20>& setGrades, std::int32_t m);

/// The mission number of a scenario name ("Ca3.scn" gives 2): the number from its third
/// character on, less one; 0 without one.
std::int32_t scenarioMissionIndex(const std::string& scenarioName);

} // namespace q71
