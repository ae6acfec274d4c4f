#include "sim/simulation/scenario_placement.h"

#include "sim/simulation/random.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

constexpr double kSlowestOrder = 0.001;

} // namespace

WorldPoint scenarioOffset(const WorldPoint& from, double eastYards, double northYards) {
    WorldPoint to = from;
    geoProject(from.x, from.y, geoBearing(eastYards, northYards), geoRange(eastYards, northYards), to.x,
               to.y);
    return to;
}

std::int32_t scenarioRandomDepth(std::int32_t feet) {
    const std::int32_t drawn = static_cast<std::int32_t>(randomScaled(feet * 0.9));
    return feet / 10 + drawn;
}

ScenarioPlacement scenarioPlacement(const ScenarioRecord& record) {
    ScenarioPlacement placed{record.x, record.y, record.depth};
    const auto displace = [&](double east, double north) {
        const WorldPoint moved = scenarioOffset({placed.x, placed.y, 0.0}, east, north);
        placed.x = moved.x;
        placed.y = moved.y;
        placed.depthFeet = scenarioRandomDepth(placed.depthFeet);
    };
    if (record.patrolMode == kModeRandomBox && (record.boxWest != 0.0 || record.boxSouth != 0.0)) {
        const double east = record.boxWest + randomScaled(record.boxEast - record.boxWest);
        const double north = record.boxSouth + randomScaled(record.boxNorth - record.boxSouth);
        displace(east, north);
    }
    if (record.randomPlacement) {
        const double east = randomScaled(record.randomWidth) - record.randomWidth * 0.5;
        const double north = randomScaled(record.randomHeight) - record.randomHeight * 0.5;
        displace(east, north);
    }
    return placed;
}

double scenarioStartSpeed(const ScenarioRecord& record) {
    const bool vessel = record.type == kScenarioSubmarine || record.type == kScenarioSurfaceShip;
    return vessel ? std::max<double>(record.speed, kSlowestOrder) : record.speed;
}

ScenarioBox scenarioBox(const ScenarioRecord& record) {
    // The offsets are yards from the unit's own place; the corner lies in metres.
    return {{record.x + record.boxWest * kYardsToMetres, record.y + record.boxSouth * kYardsToMetres, 0.0},
            record.boxEast - record.boxWest,
            record.boxNorth - record.boxSouth};
}

WorldPoint scenarioBoxPoint(const ScenarioBox& box) {
    const double east = randomScaled(box.width);
    const double north = randomScaled(box.height);
    return scenarioOffset(box.corner, east, north);
}

std::vector<ScenarioOrder> scenarioBoxOrders(std::int32_t mode, const ScenarioBox& box, double speed,
                                             double depth) {
    if (mode == kModeRandomBox) {
        const WorldPoint p = scenarioBoxPoint(box);
        return {{mode, p.x, p.y, speed, depth}};
    }
    if (mode != kModeBoxPatrol)
        return {};
    std::vector<ScenarioOrder> orders;
    WorldPoint p = box.corner;
    const auto corner = [&](double bearing, double range) {
        if (range != 0.0)
            geoProject(p.x, p.y, bearing, range, p.x, p.y);
        orders.push_back({mode, p.x, p.y, speed, depth});
    };
    corner(0.0, 0.0);
    corner(0.0, box.height);
    corner(90.0, box.width);
    corner(180.0, box.height);
    return orders;
}

std::vector<ScenarioOrder> scenarioRouteOrders(const ScenarioRecord& record, const WorldPoint& position,
                                               double depth, double speed) {
    const std::int32_t mode = record.patrolMode;
    const std::vector<ScenarioWaypoint>& points = record.waypoints;
    if (points.empty())
        return {};
    // Each point is reached at the speed of the point before it.
    const auto order = [&](size_t i) {
        const double reachedAt = i == 0 ? speed : points[i - 1].speed;
        return ScenarioOrder{mode, points[i].x, points[i].y, std::max(reachedAt, kSlowestOrder),
                             static_cast<double>(points[i].depth)};
    };
    std::vector<ScenarioOrder> orders;
    const size_t n = points.size();
    if (mode == kModeOutAndBack) {
        orders.push_back({mode, position.x, position.y, std::max(speed, kSlowestOrder), depth});
        for (size_t i = 0; i < n; ++i)
            orders.push_back(order(i));
        for (size_t i = n; i-- > 0;)
            orders.push_back(order(i));
    } else if (mode == kModeTransit || mode == kModeTransit7) {
        for (size_t i = n; i-- > 0;)
            orders.push_back(order(i));
    } else if (mode == kModeLoop) {
        orders.push_back(order(0));
        for (size_t i = n; i-- > 1;)
            orders.push_back(order(i));
    } else {
        for (size_t i = 0; i < n; ++i)
            orders.push_back(order(i));
    }
    return orders;
}

} // namespace q71
