#pragma once
// What a goal does to the world when it is met: teams and the rescue submarine put out and
// taken back aboard, with the crew's report and a line in the message log. Also the recovery
// test, which lets the own boat stopped beside a waiting unit meet a recovery goal.

#include "sim/scoring/goal_node.h"
#include "sim/scoring/mission_event.h"
#include "sim/scoring/mission_world.h"

#include <functional>

namespace q71 {

/// Message-log texts of the team reports.
enum TeamReportText : int {
    kTextTeamAway = 313,
    kTextTeamBack = 314,
    kTextPilotAboard = 315,
    kTextRescueAway = 341,
    kTextRescueBack = 342,
};

/// Object-database records of the units taken back aboard.
enum RecoveredRecord : std::uint32_t {
    kRecordRescueSubmarine = 4,
    kRecordDownedPilot = 39,
    kRecordShoreTeam = 44,
};

/// Metres from the event within which a unit is close enough to be taken back.
inline constexpr double kRecoveryReach = 1000.0;

/// The recovery test: an own-boat report of a stopped boat inside a recovery goal's area and
/// depth meets the goal; the unit it targets is reported and taken out of the world. True when met.
bool goalRecoveryTest(const GoalNode& node, const MissionEvent& event, MissionWorld& world);

/// Runs the goal's action; 1 when it was carried out (or there is none), 0 when its condition fails.
int goalRunAction(const GoalNode& node, const MissionEvent& event, MissionWorld& world);

/// Terrain height at a world point (metres, negative below the sea), or nothing where unknown.
using TerrainHeightAt = std::function<std::optional<double>(double x, double y)>;

/// The bearing from (x0, y0) to the highest land of the nearest ring of points on which
/// there is land (rings 2000 m apart, up to 100); 0 when no land is found.
double landingSearchBearing(double x0, double y0, const TerrainHeightAt& heightAt);

/// The terrain world's height at a point, without roughness.
std::optional<double> terrainHeightAt(double x, double y);

} // namespace q71
