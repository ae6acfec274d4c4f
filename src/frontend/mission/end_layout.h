#pragma once
// Where the death and victory screens put their texts; their pictures are drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::end_layout {

inline constexpr Rect kTitle{120, 40, 520, 84};
inline constexpr Rect kGlass{100, 290, 540, 430};

} // namespace q71::end_layout
