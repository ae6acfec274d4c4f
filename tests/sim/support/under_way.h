#pragma once
// Setting a body under way by hand, as the tests and benchmarks place their platforms.

#include "sim/simulation/geometry.h"

namespace q71 {
class MotionModel;
}

namespace q71::test {

/// Puts a motion model at a place (its ordered depth too), on a course it holds, under way at a
/// speed (speed units) it holds.
void placeUnderWay(MotionModel& motion, WorldPoint at, double heading, double speed);

} // namespace q71::test
