#pragma once
// Where the plain in-mission screen's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::gen_info_layout {

inline constexpr Rect kTitle{120, 22, 520, 62};
inline constexpr Rect kNameGlass{80, 110, 560, 170};
inline constexpr Rect kClockGlass{250, 245, 390, 295};
inline constexpr int kOptionsX = 110;
inline constexpr int kEndX = 346;
inline constexpr int kButtonY = 380;
inline constexpr int kButtonWidth = 184;
inline constexpr int kButtonHeight = 38;

} // namespace q71::gen_info_layout
