#pragma once
// Where the units of a scenario start and which orders their tasking gives them: the random
// displacements of a patrol box and of a placement rectangle, the corners and points of a
// patrol box, and the orders of a route. The reader calls these per record, in the order that
// keeps one seed giving one mission; they work on the record alone and change nothing else.

#include "sim/simulation/geometry.h"
#include "sim/simulation/scenario_file.h"

#include <cstdint>
#include <vector>

namespace q71 {

/// The patrol modes of a scenario record that placement and tasking treat apart.
enum ScenarioPatrolMode : std::int32_t {
    kModeTransit = 2,
    kModeOutAndBack = 3,
    kModeRandomBox = 4,
    kModeBoxPatrol = 5,
    kModeSonobuoyField = 6,
    kModeTransit7 = 7,
    kModeRandomPattern = 8,
    kModeExpandingPattern = 9,
    kModeLoop = 19,
};

/// An order the scenario reader queues on a unit, in call order (each call puts its order at
/// the head of the unit's list, so that the last call gives the current order).
struct ScenarioOrder {
    std::int32_t type = 0;
    double x = 0.0, y = 0.0; ///< world metres
    double speed = 0.0;      ///< speed units
    double depth = 0.0;      ///< metres, negative below the surface
};

/// Where a unit starts: its place after its random displacements and its depth in feet.
struct ScenarioPlacement {
    double x = 0.0, y = 0.0;
    std::int32_t depthFeet = 0;
};

/// The patrol box of modes 4 and 5: its south-west corner and its size.
struct ScenarioBox {
    WorldPoint corner;   ///< world metres
    double width = 0.0;  ///< yards east
    double height = 0.0; ///< yards north
};

/// A point moved by yards east and north, as a bearing and a range projected from it.
WorldPoint scenarioOffset(const WorldPoint& from, double eastYards, double northYards);

/// A depth in feet drawn between a tenth of it and all of it, in whole feet.
std::int32_t scenarioRandomDepth(std::int32_t feet);

/// The record's place and depth after its displacements: a mode-4 patrol with a west or south
/// offset starts anywhere in its box, a record with random placement anywhere in its rectangle
/// around its place; each displacement draws the depth again.
ScenarioPlacement scenarioPlacement(const ScenarioRecord& record);

/// The speed a unit starts with: a submarine or ship never slower than 0.001.
double scenarioStartSpeed(const ScenarioRecord& record);

/// The patrol box of a mode-4 or mode-5 record, laid from its own place (not its displaced one).
ScenarioBox scenarioBox(const ScenarioRecord& record);

/// A random point of a box.
WorldPoint scenarioBoxPoint(const ScenarioBox& box);

/// The orders a box gives: mode 4 one order to a random point of it, mode 5 four round it from
/// its corner, north, east and south; none for other modes.
std::vector<ScenarioOrder> scenarioBoxOrders(std::int32_t mode, const ScenarioBox& box, double speed,
                                             double depth);

/// The orders of a record's route, in call order, with the record's mode as their type. Each
/// order carries the speed of the point before it (the first the unit's own speed), never less
/// than 0.001. Mode 3 first returns to the unit's place, then runs the route out and back;
/// modes 2 and 7 are called from the last point, mode 19 heads for the first point and then
/// loops from the last; every other mode is called from the first point.
std::vector<ScenarioOrder> scenarioRouteOrders(const ScenarioRecord& record, const WorldPoint& position,
                                               double depth, double speed);

} // namespace q71
