#pragma once
// Where the plain state room's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::plain_stateroom_layout {

inline constexpr int kWidth = 540;
inline constexpr int kHeight = 420;
inline constexpr Rect kTitle{70, 22, 470, 62};
inline constexpr Rect kNameGlass{30, 110, 510, 170};
inline constexpr Rect kClockGlass{200, 235, 340, 285};
inline constexpr int kOptionsX = 60;
inline constexpr int kEndX = 296;
inline constexpr int kButtonY = 360;
inline constexpr int kButtonWidth = 184;
inline constexpr int kButtonHeight = 38;

} // namespace q71::plain_stateroom_layout
