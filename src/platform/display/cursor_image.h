#pragma once
// The picture of a mouse cursor: ARGB pixels (alpha 0 = transparent) and the hot spot.

#include "platform/geometry/rect.h"

#include <cstdint>
#include <vector>

namespace q71 {

struct CursorImage {
    int width = 0;
    int height = 0;
    Point hotSpot;
    std::vector<std::uint32_t> argb; // width * height, top row first
};

} // namespace q71
