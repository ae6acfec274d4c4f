#pragma once
// The alert an explosion or a firing weapon raises: the nearest hostile platforms that carry
// sensors are handed a report of where the source is.

#include <cstdint>

namespace q71 {

/// Hands the nearest hostile surface warship, aircraft and submarine (one of each, with sensors,
/// strictly inside the range in metres) a visual report of the source entity.
void worldAlertNearestHostiles(std::int32_t sourceId, double rangeMetres);

} // namespace q71
