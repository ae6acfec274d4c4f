#include "mkdata/scenarios/scenario_checks.h"

#include "mkdata/terrain/area_checks.h"
#include "sim/simulation/geometry.h"
#include "sim/world/terrain_world.h"

#include <algorithm>
#include <cmath>
#include <sstream>
#include <stdexcept>

namespace q71::mkdata {

namespace {

// Water kept under a submarine's keel, under a ship, and left for a float or a sunken object.
constexpr double kSubmarineClearance = 25.0;
constexpr double kShipWater = 15.0;
constexpr double kMineClearance = 2.0;
constexpr double kObjectWater = 5.0;
constexpr double kAircraftClearance = 30.0;
constexpr double kLayerGuess = 150.0; // a goal below the layer wants at least this much water
// The own boat's record depth is taken 28 ft higher than it is written.
constexpr double kOwnStartDepthOffsetFeet = 28.0;
// Spacing of the samples along legs and over areas.
constexpr double kLegStep = 500.0;
constexpr double kAreaStep = 1000.0;

class WaterCheck {
public:
    WaterCheck(const ScenarioDefinition& definition, const DemGrid& grid)
        : definition_(definition), grid_(grid) {}

    std::string run() {
        const std::vector<ScenarioRecord>& records = definition_.scenario.records;
        for (size_t i = 0; i < records.size(); ++i)
            record(records[i], definition_.units[i]);
        for (const GoalDefinition& goal : definition_.goals)
            goalArea(goal);
        return problems_.str();
    }

private:
    const ScenarioDefinition& definition_;
    const DemGrid& grid_;
    std::ostringstream problems_;
    int line_ = 0;
    std::string what_;
    bool reported_ = false;

    // Terrain height at a world position, the shallower of the grid and the roughened bottom.
    std::optional<double> height(double x, double y) const {
        const double half = kMissionRegionKm * 500.0;
        if (x < 0.0 || y < 0.0 || x > 2.0 * half || y > 2.0 * half)
            return std::nullopt;
        const std::optional<double> plain = areaGridHeight(grid_, {(x - half) / 1000.0, (y - half) / 1000.0});
        if (!plain)
            return std::nullopt;
        return std::max(*plain, worldRoughenDepth(x, y, *plain));
    }

    void report(double x, double y, const std::string& reason) {
        if (reported_)
            return; // one line per place is enough
        reported_ = true;
        problems_ << definition_.source.string() << ":" << line_ << ": " << what_ << " at (" << std::lround(x)
                  << ", " << std::lround(y) << ") " << reason << "\n";
    }

    // Needs `water` metres of water at a point; a negative need asks only for the grid.
    void water(double x, double y, double need) {
        const std::optional<double> h = height(x, y);
        if (!h)
            report(x, y, "lies off the mission grid");
        else if (need >= 0.0 && -*h < need)
            report(x, y,
                   "has " + std::to_string(std::lround(-*h)) + " m of water, not " +
                       std::to_string(std::lround(need)));
    }

    void air(double x, double y, double z) {
        const std::optional<double> h = height(x, y);
        if (!h)
            report(x, y, "lies off the mission grid");
        else if (z < std::max(*h, 0.0) + kAircraftClearance)
            report(x, y, "flies into the terrain");
    }

    void leg(const WorldPoint& a, const WorldPoint& b, double need) {
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        const int steps = std::max(1, static_cast<int>(std::ceil(length / kLegStep)));
        for (int i = 0; i <= steps; ++i)
            water(a.x + (b.x - a.x) * i / steps, a.y + (b.y - a.y) * i / steps, need);
    }

    void rectangle(double west, double south, double east, double north, double need) {
        const int columns = std::max(1, static_cast<int>(std::ceil((east - west) / kAreaStep)));
        const int rows = std::max(1, static_cast<int>(std::ceil((north - south) / kAreaStep)));
        for (int i = 0; i <= columns; ++i)
            for (int j = 0; j <= rows; ++j)
                water(west + (east - west) * i / columns, south + (north - south) * j / rows, need);
    }

    void perimeter(double west, double south, double east, double north, double need) {
        const WorldPoint sw{west, south, 0}, nw{west, north, 0}, ne{east, north, 0}, se{east, south, 0};
        leg(sw, nw, need);
        leg(nw, ne, need);
        leg(ne, se, need);
        leg(se, sw, need);
    }

    // Water a unit of the class needs at a depth (metres, negative down).
    static double need(UnitClass unitClass, double z) {
        switch (unitClass) {
        case UnitClass::OwnStart:
        case UnitClass::Submarine:
            return -z + kSubmarineClearance;
        case UnitClass::SurfaceShip:
            return kShipWater;
        case UnitClass::Mine:
            return -z + kMineClearance;
        case UnitClass::Object:
            return std::max(kObjectWater, -z);
        case UnitClass::Aircraft:
            break;
        }
        return -1.0;
    }

    void record(const ScenarioRecord& r, const UnitDefinition& unit) {
        line_ = unit.line;
        what_ = unit.label.empty() ? "the start position" : "the unit " + unit.label;
        reported_ = false;
        const double feet =
            r.depth + (unit.unitClass == UnitClass::OwnStart ? kOwnStartDepthOffsetFeet : 0.0);
        const double z = feet * kFeetToMetres;
        if (unit.unitClass == UnitClass::OwnStart && z > 0.0)
            report(r.x, r.y, "starts above the surface");
        if ((unit.unitClass == UnitClass::Submarine || unit.unitClass == UnitClass::Mine) && z >= 0.0)
            report(r.x, r.y, "must be placed below the surface");
        if (unit.unitClass == UnitClass::Aircraft) {
            air(r.x, r.y, z);
            for (const ScenarioWaypoint& w : r.waypoints)
                air(w.x, w.y, w.depth);
            return;
        }
        const double here = need(unit.unitClass, z);
        water(r.x, r.y, here);
        if (r.randomPlacement) {
            const double w = r.randomWidth * kYardsToMetres / 2, h = r.randomHeight * kYardsToMetres / 2;
            rectangle(r.x - w, r.y - h, r.x + w, r.y + h, here);
        }
        patrolArea(r, here);
        WorldPoint from{r.x, r.y, z};
        for (const ScenarioWaypoint& w : r.waypoints) {
            const WorldPoint to{w.x, w.y, static_cast<double>(w.depth)};
            const double onLeg = need(unit.unitClass, std::min(from.z, to.z));
            leg(from, to, onLeg);
            from = to;
        }
        // Cyclic patrols run from their last point back to their first.
        const bool cyclic = r.patrolMode == 5 || r.patrolMode == 8 || r.patrolMode == 9 || r.patrolMode == 19;
        if (cyclic && r.waypoints.size() > 1)
            leg(from, {r.waypoints.front().x, r.waypoints.front().y, 0.0}, need(unit.unitClass, from.z));
    }

    void patrolArea(const ScenarioRecord& r, double here) {
        const double y2m = kYardsToMetres;
        switch (r.patrolMode) {
        case 4:
            rectangle(r.x + r.boxWest * y2m, r.y + r.boxSouth * y2m, r.x + r.boxEast * y2m,
                      r.y + r.boxNorth * y2m, here);
            break;
        case 5:
            perimeter(r.x + r.boxWest * y2m, r.y + r.boxSouth * y2m, r.x + r.boxEast * y2m,
                      r.y + r.boxNorth * y2m, here);
            break;
        case 8: {
            // The pattern's rows run over width by height metres, each point's bearing spread by
            // up to 15 degrees, which can carry it a little outside the rectangle.
            const double ex = r.x + r.boxEast, ny = r.y + r.boxNorth;
            const double spread = std::hypot(r.boxEast, r.boxNorth) * std::sin(15.0 * kDegreesToRadians);
            rectangle(std::min(r.x, ex) - spread, std::min(r.y, ny) - spread, std::max(r.x, ex) + spread,
                      std::max(r.y, ny) + spread, here);
            break;
        }
        case 9: {
            const double size = r.boxEast * y2m;
            rectangle(r.x - size, r.y - size, r.x + size, r.y + size, here);
            break;
        }
        default:
            break;
        }
    }

    void goalArea(const GoalDefinition& goal) {
        line_ = goal.line;
        what_ = "the area of goal " + std::to_string(goal.node.id);
        reported_ = false;
        const bool placed = goal.node.radius > 0.0 || goal.node.halfWidth > 0.0;
        if (!placed)
            return;
        // A boat sent into the area needs water for the depth it is asked to hold.
        double depthNeed = kSubmarineClearance;
        if (goal.node.depthCondition == 2)
            depthNeed += 152.4;
        else if (goal.node.depthCondition == 6)
            depthNeed += kLayerGuess;
        const bool ownBoat =
            goal.node.subjectFilter == 0 && goal.node.kind != kGoalDestroy && goal.node.kind != kGoalDamage;
        // An area about a unit moves with it: it starts where the unit does.
        const ScenarioRecord* unit =
            goal.target >= 0 ? &definition_.scenario.records[static_cast<size_t>(goal.target)] : nullptr;
        water(unit ? unit->x : goal.node.centreX, unit ? unit->y : goal.node.centreY,
              ownBoat ? depthNeed : -1.0);
    }
};

} // namespace

void checkScenarioWater(const ScenarioDefinition& definition, const DemGrid& grid) {
    const std::string problems = WaterCheck(definition, grid).run();
    if (!problems.empty())
        throw std::runtime_error("the scenario " + definition.name + " asks for water its area lacks:\n" +
                                 problems);
}

} // namespace q71::mkdata
