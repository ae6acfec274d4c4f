#pragma once
// The scenario file (".scn", in the data set's "Scenario" folder): five length-prefixed text
// blocks, the 56-byte environment header, the entity records of 192 bytes each followed by
// their waypoints of 24 bytes, then the goal section and the 20 bytes of grade thresholds that
// scoring reads. This is the one statement of the layout: the reader, the data set's writer
// and the mission editor's writer all go through it. Every length and count is checked
// against the bytes left before anything is allocated for it.

#include "sim/scoring/byte_stream.h"
#include "sim/scoring/goal_tree.h"
#include "sim/scoring/scoring_state.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q71 {

inline constexpr size_t kScenarioHeaderSize = 56;
inline constexpr size_t kScenarioRecordSize = 192;
inline constexpr size_t kScenarioWaypointSize = 24;
/// Longest text the 32-byte name field of a record holds (with its terminator).
inline constexpr size_t kScenarioNameLength = 31;

/// The five text blocks, in file order.
enum ScenarioText : int {
    kScenarioDescription = 0, ///< one line for the mission lists
    kScenarioMissionName,     ///< the mission's title
    kScenarioBriefing,        ///< the mission briefing
    kScenarioIntelligence,    ///< arrives by radio once the mission runs
    kScenarioTasking,         ///< shown in the radio room when the mission starts
    kScenarioTextCount,
};

/// What a record places.
enum ScenarioRecordType : std::int32_t {
    kScenarioSubmarine = 1,
    kScenarioSurfaceShip = 2,
    kScenarioAircraft = 3,
    kScenarioMine = 4,   ///< a stationary object: a mine when its record is one
    kScenarioObject = 5, ///< a stationary object
    kScenarioOwnShipStart = 6,
};

/// The environment of the mission.
struct ScenarioHeader {
    double originLatitude = 40.93;  ///< degrees, the centre of the mission grid
    double originLongitude = 18.45; ///< degrees
    std::int32_t timeOfDay = 0;     ///< 1 noon, 3 dusk, 4 dawn, any other midnight
    std::int32_t seaState = 0;      ///< 0 to 5
    std::int32_t soundProfile = 0;  ///< 1 isothermal, 2 a deep layer, any other a layer to the bottom
    std::int32_t bottomType = 0;    ///< the seabed texture
};

/// A point of an entity's route.
struct ScenarioWaypoint {
    double x = 0.0, y = 0.0; ///< world metres
    std::int32_t depth = 0;  ///< the order's depth as it stands: whole metres, negative below the surface
    std::int32_t speed = 0;  ///< speed units to hold once this point is reached
};

/// One entity record with its waypoints.
struct ScenarioRecord {
    double x = 0.0, y = 0.0; ///< world metres
    std::int32_t type = 0;   ///< a ScenarioRecordType
    std::int32_t side = 0;
    std::string typeName; ///< the object record's key; for an own-ship start, the boat's name
    std::int32_t level = 0;
    std::int32_t patrolMode = 0;
    std::int32_t course = 0;              ///< degrees
    std::int32_t depth = 0;               ///< feet, negative below the surface
    std::int32_t speed = 0;               ///< speed units
    double boxWest = 0.0, boxSouth = 0.0; ///< patrol box offsets, yards from the position
    double boxEast = 0.0;                 ///< also the area width (mode 6), box width (8), pattern size (9)
    double boxNorth = 0.0;                ///< also the area height (mode 6), box height (8)
    std::uint8_t areaFlag = 0;            ///< mode 6
    double entryDelay = 0.0;              ///< game seconds; 0 present from the start
    std::int32_t goalNode1 = 0;           ///< goal bound to this entity (0 or less: none)
    std::int32_t goalNode2 = 0;
    std::int32_t randomPlacement = 0;
    double randomWidth = 0.0, randomHeight = 0.0; ///< yards
    std::vector<ScenarioWaypoint> waypoints;
};

/// Everything before the goal section.
struct Scenario {
    std::array<std::optional<std::string>, kScenarioTextCount> texts; ///< Windows-1252; none: empty block
    ScenarioHeader header;
    std::vector<ScenarioRecord> records;
};

/// Reads one text block: a 32-bit length and that many bytes, the text ending at its first NUL.
/// A length of 0 gives none. False when the length runs past the bytes left or the read fails.
bool scenReadBlock(ByteSource& source, std::optional<std::string>& text);
/// Writes one text block: its length with the NUL, then the bytes with the NUL; 0 for none.
bool scenWriteBlock(ByteSink& sink, const std::optional<std::string>& text);

/// Reads the texts, the header and the records, leaving the source at the goal section; false
/// (and `scenario` untouched) when the bytes end early or a count runs past them.
bool scenarioReadBody(ByteSource& source, Scenario& scenario);
/// Writes the texts, the header and the records; false when a write fails or a name or text does
/// not fit its field.
bool scenarioWriteBody(ByteSink& sink, const Scenario& scenario);
/// Writes a whole scenario file: the body, the goal tree and the grade thresholds.
bool scenarioWrite(ByteSink& sink, const Scenario& scenario, const GoalTree& goals,
                   const GradeThresholds& thresholds);

} // namespace q71
