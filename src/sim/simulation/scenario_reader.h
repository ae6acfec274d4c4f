#pragma once
// Reading a scenario of the data set's "Scenario" folder: the first two text blocks for the
// mission lists, and the whole file when a mission starts, which turns it into the mission's
// texts, environment, own-ship start positions, units and goals.

#include <cstdint>
#include <optional>
#include <string>

namespace q71 {

/// Why a scenario could not be read.
enum class ScenarioError {
    None,
    CannotOpen,    ///< the file is missing or cannot be opened
    Damaged,       ///< its lengths, counts or values do not hold together
    UnknownObject, ///< a vehicle names a record the object database lacks
    CannotMake,    ///< a unit's entity type cannot be made
    BadLevel,      ///< a unit's crew level lies outside 1 to 4
};

struct ScenarioStatus {
    ScenarioError error = ScenarioError::None;
    std::string detail; ///< the unknown record's name, or the refused level
    int record = 0;     ///< the number (from 1) of the scenario record refused
    bool ok() const { return error == ScenarioError::None; }
};

/// The texts the running mission keeps (Windows-1252), and the mission flow's own text, which
/// the debriefing fills and a saved mission keeps.
struct MissionTexts {
    std::optional<std::string> name, briefing, intelligence, tasking;
    std::optional<std::string> flowText;
};

/// The texts of the running mission.
MissionTexts& missionTexts();

/// True for the player's own scenarios: names ending in ".scu" (single play) or ".scm"
/// (network play), in any case.
bool scenarioIsPlayers(const std::string& name);
/// The program path of the "Scenario" folder of the player's files, where his own scenarios are.
std::string scenarioPlayersFolder();
/// The program path of the data set's "Scenario" folder.
std::string scenarioDataSetFolder();
/// The program path of a scenario: the "Scenario" folder of the player's files for his own
/// scenarios, else of the data set, and the name. Scenarios are written there.
std::string scenarioPath(const std::string& name);
/// Where a scenario is read from: scenarioPath, except that a player's name missing from his
/// folder is taken from the data set's when it is there (the data set ships network scenarios).
std::string scenarioReadPath(const std::string& name);

/// The description block of a scenario, for the mission lists; none when it is empty or the
/// file cannot be read.
std::optional<std::string> scenReadBlock1(const std::string& name);
/// The mission-name block of a scenario (the description skipped); none when it is empty or the
/// file cannot be read.
std::optional<std::string> scenReadBlock2(const std::string& name);
/// The briefing block of a scenario, for the mission selection; none when it is empty or the
/// file cannot be read.
std::optional<std::string> scenReadBriefing(const std::string& name);

/// Reads a scenario into the mission: its texts, its header (the map origin, the time of day, the
/// sea, the sound profile, the bottom), its own-ship start positions, its units, and (through
/// scoring, which `mode` is passed on to) its goals and grades. The whole file is read and checked,
/// and every unit made, before the world changes: a scenario that cannot be read leaves the world
/// as it was and says why.
ScenarioStatus ReadScen(const std::string& name, std::int32_t mode);

/// The message telling the player why a mission could not be read (Windows-1252).
std::string scenarioErrorMessage(const ScenarioStatus& status, const std::string& name);

} // namespace q71
