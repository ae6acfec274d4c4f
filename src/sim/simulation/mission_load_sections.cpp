// Reading the sections of a saved mission around its entities. Every length and count is checked
// against the bytes left before anything is made for it, and every double must be a number.
#include "sim/simulation/mission_load_sections.h"

#include "sim/scoring/byte_layout.h"
#include "sim/scoring/byte_stream.h"
#include "sim/scoring/campaign_file.h"
#include "sim/scoring/player_record.h"
#include "sim/simulation/launcher_tables.h"
#include "sim/simulation/scenario_file.h"

#include <cmath>

namespace q71 {

namespace {

constexpr double kMaxLatitude = 90.0;
constexpr double kMaxLongitude = 360.0;

// The world can be laid around the origin, and the campaign, when it changes, can be read.
bool environmentHolds(const SavedEnvironment& e) {
    if (std::fabs(e.originLatitude) > kMaxLatitude || std::fabs(e.originLongitude) > kMaxLongitude)
        return false;
    const std::optional<std::string> campaignFile = savedCampaignToLoad(e.campaignIndex);
    return !campaignFile ||
           (e.campaignIndex < static_cast<std::uint32_t>(kMissionSets) && campaignReadable(*campaignFile));
}

bool readReplay(ByteSource& source, std::vector<std::uint8_t>& replay) {
    std::uint32_t size = 0;
    if (!savedCountRead(source, size, 1))
        return false;
    std::vector<std::uint8_t> bytes(size);
    if (!source.read(bytes))
        return false;
    replay = std::move(bytes);
    return true;
}

bool readThresholds(ByteSource& source, GradeThresholds& thresholds) {
    std::array<std::uint8_t, kGradeThresholdsSize> bytes{};
    if (!source.read(bytes))
        return false;
    LayoutReader(bytes).words(0, thresholds);
    return true;
}

// The goal form comes back with every level reversed. Turned back, the loaded mission weighs its
// goals in the order the running one did, and a saved mission loaded and saved again is the same.
void restoreGoalOrder(GoalTree& tree, GoalNode* first, GoalNode* parent) {
    std::vector<GoalNode*> level;
    for (GoalNode* node = first; node; node = node->next)
        level.push_back(node);
    for (GoalNode* node : level) {
        restoreGoalOrder(tree, node->firstChild, node);
        tree.moveNode(node, parent); // each goes first: the last one read ends up last
    }
}

bool readGoals(ByteSource& source, GoalTree& goals) {
    if (!goals.read(source))
        return false;
    restoreGoalOrder(goals, goals.root(), nullptr);
    return true;
}

// The launchers the set-up made read their saved loads in place, cells first, then tubes.
bool readLaunchers(ByteSource& source) {
    const std::optional<LauncherTables> launchers = launcherTables();
    if (!launchers)
        return false;
    for (WeaponLauncher* cell : launchers->cells)
        if (!cell->load(source))
            return false;
    for (WeaponLauncher* tube : launchers->tubes)
        if (!tube->load(source))
            return false;
    return true;
}

} // namespace

std::optional<std::string> savedCampaignToLoad(std::uint32_t index) {
    if (index == static_cast<std::uint32_t>(campaign().header.missionSet))
        return std::nullopt;
    return std::string(1, static_cast<char>('a' + index)) + ".cdf";
}

bool missionReadPreamble(ByteSource& source, SavedMission& saved) {
    for (std::optional<std::string>* text : savedTextBlocks(saved.texts))
        if (!scenReadBlock(source, *text))
            return false;
    FieldReader fields(source, kSavedEnvironmentSize);
    savedEnvironmentFields(saved.environment, FieldReadCodec{fields});
    return fields.ok() && environmentHolds(saved.environment);
}

bool missionReadRest(ByteSource& source, SavedMission& saved) {
    FieldReader scoring(source, kSavedScoringSize);
    savedScoringFields(saved.scoring, FieldReadCodec{scoring});
    if (!scoring.ok() || !readReplay(source, saved.replay) || !readGoals(source, saved.goals) ||
        !readThresholds(source, saved.thresholds) || !readLaunchers(source))
        return false;
    FieldReader states(source, sizeof saved.stationStates);
    for (std::uint32_t& state : saved.stationStates)
        states.u32(state);
    if (!states.ok() || !savedTextsRead(source, saved.radioLines) || !savedTextsRead(source, saved.messages))
        return false;
    // A file that ends here has nothing waiting to enter and leaves the boat its usual name.
    if (source.remaining() == 0)
        return true;
    return missionReadPending(source, saved) && scenReadBlock(source, saved.boatName) &&
           source.remaining() == 0;
}

} // namespace q71
