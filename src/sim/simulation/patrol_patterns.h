#pragma once
// The order patterns of the scenario reader's patrol modes: mode 8 zig-zags across a box row by
// row with each point's bearing perturbed by the crew's level, mode 9 runs a square spiral out
// and back in. The points are made first, in queuing order; the queueing functions hand them
// to the entity's controller, whose queue puts each new order at its head, so the entity visits
// them in reverse order and then repeats the cycle.

#include "sim/simulation/geometry.h"

#include <vector>

namespace q71 {

/// Order types of the two patterns.
inline constexpr int kOrderRandomPatrol = 8;
inline constexpr int kOrderExpandingPatrol = 9;

/// The points of the mode-8 pattern from (x, y) over a box width × height metres (negative values
/// lay it west or south) turned by baseBearing degrees, in queuing order. Each perturbed point
/// draws one random number. A box of no size gives the start point alone.
std::vector<WorldPoint> patternRandomPoints(double x, double y, double baseBearing, double width,
                                            double height, int level);

/// The points of the mode-9 pattern from (x, y) for a pattern size in yards, in queuing order.
std::vector<WorldPoint> patternExpandingPoints(double x, double y, double size);

/// Queues the mode-8 pattern on the entity's controller (nothing without a controller).
template <class EntityType>
void worldQueueRandomPattern(EntityType& entity, double x, double y, double baseBearing, double width,
                             double height, double speed, double depth) {
    if (!entity.controller)
        return;
    for (const WorldPoint& p : patternRandomPoints(x, y, baseBearing, width, height, entity.level))
        entity.controller->queueOrder(kOrderRandomPatrol, 0, 0.0, p.x, p.y, speed, depth);
}

/// Queues the mode-9 pattern on the entity's controller (nothing without a controller).
template <class EntityType>
void worldQueueExpandingPattern(EntityType& entity, double x, double y, double size, double speed,
                                double depth) {
    if (!entity.controller)
        return;
    for (const WorldPoint& p : patternExpandingPoints(x, y, size))
        entity.controller->queueOrder(kOrderExpandingPatrol, 0, 0.0, p.x, p.y, speed, depth);
}

} // namespace q71
