#pragma once
// The sections of a saved mission as the loader reads them: first the texts and environment,
// which change nothing; then the entities, rebuilt in the emptied world where they belong, and
// everything after them, kept aside; last, once all of it was read, what was kept aside is handed
// to the simulation.

#include "sim/entities/entity.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/scoring_state.h"
#include "sim/simulation/mission_save_format.h"
#include "sim/simulation/scenario_reader.h"

#include <array>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace q71 {

class ByteSource;

struct SavedMission {
    MissionTexts texts;
    SavedEnvironment environment;
    std::set<std::int32_t> entityIds; ///< of every entity read, in the world or waiting
    SavedScoring scoring;
    std::vector<std::uint8_t> replay;
    GoalTree goals;
    GradeThresholds thresholds{};
    std::array<std::uint32_t, 2> stationStates{};
    std::vector<std::string> radioLines;
    std::vector<std::string> messages;
    std::vector<std::unique_ptr<Entity>> pending; ///< entities that enter later, in list order
    std::optional<std::string> boatName;          ///< none in a file of the sections above only
};

/// The campaign file a saved campaign index names ("a.cdf" for 0), or none when that campaign
/// is the one loaded.
std::optional<std::string> savedCampaignToLoad(std::uint32_t index);
/// Reads the texts and the environment and checks that a world can be built from them; the
/// running mission is not touched.
bool missionReadPreamble(ByteSource& source, SavedMission& saved);
/// Rebuilds the entities of the world list in an empty world with a new own boat and launchers: each is made
/// through its class's loading constructor (the own boat is the set-up's), reads its state and
/// joins the world in the file's order. False when an entry or a state does not hold.
bool missionReadEntities(ByteSource& source, SavedMission& saved);
/// Reads the appended section of entities waiting to enter: each made and loaded as those of the
/// world list are, but kept aside.
bool missionReadPending(ByteSource& source, SavedMission& saved);
/// Reads everything after the entities: the scoring state, replay log, goals and thresholds, the
/// launchers (loaded in place), the stations' states, radio lines and messages, and the waiting
/// entities and boat name when the file has them; false when any of it does not hold or bytes
/// are left over.
bool missionReadRest(ByteSource& source, SavedMission& saved);
/// Hands the mission read to the simulation, whose world now holds the entities read: signature
/// tables, texts, environment and clock, campaign, id counter, terrain and sound profile, scoring
/// with its replay log and goals, the stations' states, the radio lines, the message queue and
/// the waiting entities; sets the loaded-mission flag.
void missionApply(SavedMission& saved);

} // namespace q71
