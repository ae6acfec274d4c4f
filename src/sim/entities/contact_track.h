#pragma once
// The choices a contact's track is drawn from, worked out of its fixes.

#include "sim/entities/contact_record.h"
#include "sim/simulation/geometry.h"

#include <cstddef>

namespace q71 {

/// The age index of the fix farthest from a point, the planar range in yards deciding: the first
/// of the largest, 0 when no range compares (none, or only NaN).
std::size_t farthestFixAge(const FixList& fixes, const WorldPoint& from);

} // namespace q71
