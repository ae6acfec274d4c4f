#include "sim/scoring/mission_flow.h"

#include "framework/app/reporter.h"
#include "framework/textmngr/text_manager.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/load_out.h"
#include "sim/scoring/player_roster.h"
#include "sim/scoring/replay_log.h"
#include "sim/scoring/scoring.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_state.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <limits>

namespace q71 {
namespace {

constexpr int kTextGoalsUnreadable = 1803;
constexpr const char* kSource = "scoring";
constexpr std::int32_t kNeverPlayed = -1;
constexpr int kTopRating = 5;
constexpr float kTopLevel = 4.0f;
// What a first completion adds to each station level per grade step.
constexpr double kLevelStep = 0.16666667;
constexpr std::array<double, kStationCount> kLevelShare = {0.4, 0.6, 0.8, 1.0, 1.0};

// The starting load of a campaign's first mission.
constexpr Inventory kFirstInventory = {10, 0, 0, 10, 0, 15, 15};
constexpr std::array<std::int32_t, kTorpedoTubeCount> kFirstTubes = {kWeaponHarpoon, kWeaponHarpoon,
                                                                     kWeaponAdcap, kWeaponAdcap};

std::int32_t missionSet() {
    return campaign().header.missionSet;
}

void addCareerPoints(PlayerRecord& record, std::int64_t points) {
    record.careerPoints = static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{record.careerPoints} + points, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()));
}

// The score table of a mission mode, or null for a mode that keeps no scores.
std::array<std::int32_t, kMissionSlots>* scoreTable(PlayerRecord& record, std::int32_t mode) {
    switch (mode) {
    case kMissionModeTutorial:
        return &record.tutorialScore;
    case kMissionModeSingle:
        return &record.singleScore;
    case kMissionModeCampaign:
        return &record.campaignScore;
    default:
        return nullptr;
    }
}

// Books the mission's score into its table: the career gains the difference to the score it
// had before. Returns the score it had before.
std::int32_t bookScore(PlayerRecord& record, std::array<std::int32_t, kMissionSlots>& table, size_t q) {
    const std::int32_t previous = table[q];
    const std::int32_t score = scoringState().score;
    addCareerPoints(record, previous == kNeverPlayed ? std::int64_t{score} : std::int64_t{score} - previous);
    table[q] = score;
    return previous;
}

// The record's part that a snapshot holds.
CampaignSnapshot currentState(const PlayerRecord& record) {
    return {record.inventory,   record.cells,        record.tubes,
            record.statusWords, record.carriedWords, record.stationLevels};
}

void restoreSnapshot(PlayerRecord& record, size_t q) {
    const CampaignSnapshot& snapshot = record.snapshots[q];
    record.inventory = snapshot.inventory;
    record.cells = snapshot.cells;
    record.tubes = snapshot.tubes;
    record.statusWords = snapshot.statusWords;
    record.carriedWords = snapshot.carriedWords;
    record.stationLevels = snapshot.stationLevels;
    loadLaunchers(record.cells, record.tubes);
}

void writeFirstSnapshot(PlayerRecord& record, size_t q) {
    CampaignSnapshot first = currentState(record);
    first.inventory = kFirstInventory;
    first.cells.fill(kWeaponTomahawk);
    first.tubes = kFirstTubes;
    first.statusWords = {};
    record.snapshots[q] = first;
}

// The next mission starts from the record as this one left it, with the launchers as they are.
void saveNextSnapshot(PlayerRecord& record, size_t next) {
    CampaignSnapshot snapshot = currentState(record);
    readLauncherTypes(snapshot.cells, snapshot.tubes);
    record.snapshots[next] = snapshot;
}

// The own boat's state that the next campaign mission takes over.
std::array<std::int32_t, 7> carriedStatusWords() {
    std::array<std::int32_t, 7> words{};
    const std::optional<OwnBoatCarriedState> state = scoringWorld().ownBoatCarriedState();
    if (!state)
        return words;
    // Words 643-646 and 649 are the five two-position devices.
    constexpr std::array<size_t, 5> kDeviceWords = {0, 1, 2, 3, 6};
    for (size_t i = 0; i < kDeviceWords.size(); ++i)
        words[kDeviceWords[i]] = state->deviceFailed[i] ? 1 : 0;
    const bool lostP = state->valueP < 0.0, lostQ = state->valueQ < 0.0;
    if (lostP && lostQ)
        words[4] = 3;
    else if (lostQ)
        words[4] = state->sideFlag ? 2 : 1;
    else if (lostP)
        words[4] = state->sideFlag ? 1 : 2;
    words[5] = state->wireValue < 0.0 ? 1 : 0;
    return words;
}

void raiseStationLevels(PlayerRecord& record) {
    const double steps = (scoringState().grade + 1) * kLevelStep;
    for (size_t i = 0; i < record.stationLevels.size(); ++i) {
        const double raised = record.stationLevels[i] + steps * kLevelShare[i];
        record.stationLevels[i] = std::min(static_cast<float>(raised), kTopLevel);
    }
}

void readGoals(const std::string& scenarioName, RecordFile* scenario) {
    bool goalsRead;
    if (scenario) {
        goalsRead = goalTreeRead(*scenario);
        // The thresholds follow the goals: after a damaged goal section they would be read out of step.
        if (goalsRead)
            gradeThresholdsRead(*scenario);
        else
            gradeThresholdsDefault();
    } else {
        goalsRead = goalTreeLoadFile(scenarioName);
        gradeThresholdsLoadFile(scenarioName);
    }
    if (!goalsRead) {
        char message[256];
        textFormat(message, kTextGoalsUnreadable, scenarioName.c_str());
        reportWarning(message, __LINE__, kSource, 1);
    }
}

// A campaign mission's start: a replay undoes the missions from this one on; a first play of
// the set's first mission records the set's starting state. Either way the mission starts from
// its snapshot and, inside a leg, the own boat takes over the state the last mission left.
void beginCampaignMission(PlayerRecord& record, std::int32_t set, std::int32_t m) {
    const std::optional<size_t> q = missionSlot(set, m);
    if (!q)
        return;
    if (record.campaignScore[*q] != kNeverPlayed) {
        restoreSnapshot(record, *q);
        for (std::int32_t later = m; later < kMissionsPerSet; ++later) {
            std::int32_t& score = record.campaignScore[*missionSlot(set, later)];
            if (score != kNeverPlayed)
                addCareerPoints(record, -std::int64_t{score});
            score = kNeverPlayed;
        }
        record.progress[static_cast<size_t>(set)] = m;
        playerDbSave();
        applyPlayerLoadOut(record);
    } else {
        if (m == 0)
            writeFirstSnapshot(record, *missionSlot(set, 0));
        restoreSnapshot(record, *q);
        applyPlayerLoadOut(record);
    }
    if (!campaignPlay().firstOfLeg)
        scoringWorld().restoreOwnBoatCampaignState(record.statusWords);
}

void placeInCampaign(std::int32_t m) {
    CampaignPlay& play = campaignPlay();
    const Campaign& current = campaign();
    std::int32_t before = 0;
    for (std::int32_t leg = 0; leg < current.header.legCount; ++leg) {
        const std::int32_t after = before + current.header.legMissions[static_cast<size_t>(leg)];
        if (after > m) {
            play.leg = leg;
            play.firstOfLeg = m == before;
            return;
        }
        before = after;
    }
}

} // namespace

CampaignPlay& campaignPlay() {
    static CampaignPlay play;
    return play;
}

std::int32_t scenarioMissionIndex(const std::string& scenarioName) {
    // The name of the file only: a letter for the mode, the set's letter, then the number.
    const size_t slash = scenarioName.find_last_of("\\/");
    const std::string name = slash == std::string::npos ? scenarioName : scenarioName.substr(slash + 1);
    if (name.size() < 3 || !std::isdigit(static_cast<unsigned char>(name[2])))
        return 0;
    std::int64_t number = 0;
    for (size_t i = 2;
         i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && number < 1000000; ++i)
        number = number * 10 + (name[i] - '0');
    return static_cast<std::int32_t>(number - 1);
}

std::int32_t campaignRating(const std::array<std::int32_t, kMissionsPerSet>& setGrades, std::int32_t m) {
    if (m < 0 || m >= kMissionsPerSet)
        return 0;
    double weighted = 0.0, weights = 0.0;
    for (std::int32_t i = 0; i <= m; ++i) {
        const double w = std::pow(0.5, m - i);
        weighted += setGrades[static_cast<size_t>(i)] * w;
        weights += w;
    }
    const double rating = std::trunc(std::pow(weighted / weights, m) - 1.0);
    return static_cast<std::int32_t>(std::clamp(rating, 0.0, static_cast<double>(kTopRating)));
}

void scoringBeginMission(const std::string& scenarioName, std::int32_t mode, RecordFile* scenario) {
    replayLogOpen();
    ScoringState& state = scoringState();
    state.score = 0;
    state.grade = 0;
    state.won = false;
    goalTreeClear();
    if (!scenario)
        goalTreeSetFileName(scenarioName);

    MissionState& mission = missionState();
    CampaignPlay& play = campaignPlay();
    play = CampaignPlay{};
    mission.missionMode = mode;
    mission.missionIndex = mode > 0 ? scenarioMissionIndex(scenarioName) : 0;
    if (mode == kMissionModeCampaign)
        placeInCampaign(mission.missionIndex);

    readGoals(scenarioName, scenario);

    if (PlayerRecord* record = playerRecord(); record && mode == kMissionModeCampaign)
        beginCampaignMission(*record, missionSet(), mission.missionIndex);
}

void scoringResumeMission(std::int32_t mode, std::int32_t missionIndex, std::int32_t score,
                          std::int32_t leg) {
    replayLogOpen();
    ScoringState& state = scoringState();
    state.score = score;
    state.grade = 0;
    goalTreeClear();
    missionState().missionMode = mode;
    missionState().missionIndex = missionIndex;
    campaignPlay().firstOfLeg = false;
    campaignPlay().leg = leg;
}

void scoringEndMission() {
    scoringGradeMission();
    PlayerRecord* record = playerRecord();
    const MissionState& mission = missionState();
    const std::int32_t set = missionSet(), m = mission.missionIndex;
    const std::optional<size_t> q = missionSlot(set, m);
    std::array<std::int32_t, kMissionSlots>* table =
        record ? scoreTable(*record, mission.missionMode) : nullptr;
    if (record && table && q) {
        const std::int32_t previous = bookScore(*record, *table, *q);
        const bool inCampaign = mission.missionMode == kMissionModeCampaign;
        if (inCampaign) {
            record->campaignGrade[*q] = scoringState().grade;
            std::array<std::int32_t, kMissionsPerSet> setGrades{};
            std::copy_n(record->campaignGrade.begin() + static_cast<std::ptrdiff_t>(*missionSlot(set, 0)),
                        kMissionsPerSet, setGrades.begin());
            campaignPlay().rating = campaignRating(setGrades, m);
            std::int32_t& progress = record->progress[static_cast<size_t>(set)];
            if (progress == m && scoringState().won)
                ++progress;
            savePlayerLoadOut(*record);
        }
        if (previous == kNeverPlayed && mission.missionMode != kMissionModeSingle)
            raiseStationLevels(*record);
        if (inCampaign && m < campaign().totalMissions - 1) {
            record->statusWords = carriedStatusWords();
            saveNextSnapshot(*record, *q + 1);
        }
    }
    playerDbSave();
    replayLogClose();
}

void scoringAbortMission() {
    PlayerRecord* record = playerRecord();
    const MissionState& mission = missionState();
    const std::optional<size_t> q = missionSlot(missionSet(), mission.missionIndex);
    if (record && q) {
        if (mission.missionMode == kMissionModeCampaign) {
            std::int32_t& score = record->campaignScore[*q];
            if (score != kNeverPlayed)
                addCareerPoints(*record, -std::int64_t{score});
            score = kNeverPlayed;
            record->campaignGrade[*q] = 0;
        } else if (std::array<std::int32_t, kMissionSlots>* table =
                       scoreTable(*record, mission.missionMode)) {
            bookScore(*record, *table, *q);
        }
    }
    playerDbSave();
    replayLogClose();
}

void scoringShutdown() {
    playerDbSave();
    goalTreeClear();
    replayLogClose();
    campaignRelease();
    playerDbRelease();
}

} // namespace q71
