#pragma once
// Where the entity viewer's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::ent_view_layout {

inline constexpr int kWidth = 540;
inline constexpr int kHeight = 420;
inline constexpr Rect kViewGlass{8, 8, 532, 360};
inline constexpr Rect kView{10, 10, 530, 358};
inline constexpr Rect kNameGlass{146, 368, 394, 410};
inline constexpr int kPreviousX = 10;
inline constexpr int kNextX = 402;
inline constexpr int kButtonY = 370;
inline constexpr int kButtonWidth = 128;
inline constexpr int kButtonHeight = 38;

} // namespace q71::ent_view_layout
