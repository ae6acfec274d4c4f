#include "frontend/selection/mission_catalogue.h"

#include "framework/resources/record_file.h"
#include "platform/files/little_endian.h"
#include "platform/files/path.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/player_roster.h"
#include "sim/simulation/mission_state.h"
#include "sim/simulation/scenario_file.h"
#include "sim/simulation/scenario_reader.h"

#include <array>
#include <cstdio>

namespace q71 {
namespace {

char modeLetter(std::int32_t mode) {
    switch (mode) {
    case kMissionModeTutorial:
        return 'T';
    case kMissionModeSingle:
        return 'S';
    default:
        return 'C';
    }
}

} // namespace

std::string missionFileName(std::int32_t mode, std::int32_t set, int number) {
    char name[32];
    std::snprintf(name, sizeof name, "%c%c%d.scn", modeLetter(mode), static_cast<char>('a' + set), number);
    return name;
}

std::vector<MissionListing> missionCatalogue(std::int32_t mode, std::int32_t set) {
    std::vector<MissionListing> missions;
    for (int number = 1; number <= kMissionsPerSet; ++number) {
        MissionListing mission;
        mission.file = missionFileName(mode, set, number);
        if (!fileExists(scenarioPath(mission.file)))
            break;
        mission.index = number - 1;
        mission.name = scenReadBlock2(mission.file).value_or(mission.file);
        mission.description = scenReadBlock1(mission.file).value_or("");
        missions.push_back(std::move(mission));
    }
    return missions;
}

std::optional<GradeThresholds> missionGradeThresholds(const std::string& file) {
    RecordFile scenarioFile(scenarioPath(file), false, true, false);
    if (!scenarioFile.isOpen())
        return std::nullopt;
    RecordFileSource source(scenarioFile);
    Scenario scenario;
    GoalTree goals;
    std::array<std::uint8_t, kGradeThresholdsSize> bytes{};
    if (!scenarioReadBody(source, scenario) || !goals.read(source) || !source.read(bytes))
        return std::nullopt;
    GradeThresholds thresholds{};
    for (std::size_t i = 0; i < thresholds.size(); ++i)
        thresholds[i] = static_cast<std::int32_t>(loadLe32(bytes.data() + 4 * i));
    return thresholds;
}

MissionRecordEntry missionRecordEntry(std::int32_t mode, std::int32_t set, const MissionListing& mission) {
    const PlayerRecord* record = playerRecord();
    const std::optional<std::size_t> q = missionSlot(set, mission.index);
    if (!record || !q)
        return {};
    const auto& scores = mode == kMissionModeTutorial ? record->tutorialScore
                         : mode == kMissionModeSingle ? record->singleScore
                                                      : record->campaignScore;
    const std::int32_t score = scores[*q];
    if (score == -1)
        return {};
    MissionRecordEntry entry{score, std::nullopt};
    if (mode == kMissionModeCampaign)
        entry.grade = record->campaignGrade[*q];
    else if (const auto thresholds = missionGradeThresholds(mission.file))
        entry.grade = gradeForScore(score, *thresholds);
    return entry;
}

} // namespace q71
