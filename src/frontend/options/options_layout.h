#pragma once
// Where the options screen's parts lie; its picture in the data set is drawn to the same places.

#include "frontend/tab_row.h"
#include "platform/geometry/rect.h"

namespace q71::options_layout {

inline constexpr Rect kTitle{170, 14, 470, 52};
using namespace tab_row;
inline constexpr Rect kGlass{40, 110, 600, 396};
inline constexpr int kValidateX = 300;
inline constexpr int kCancelX = 460;
inline constexpr int kButtonY = 414;
inline constexpr int kButtonWidth = 140;
inline constexpr int kButtonHeight = 38;

} // namespace q71::options_layout
