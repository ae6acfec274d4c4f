#pragma once
// Where the mission selection's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::selection_layout {

inline constexpr Rect kTitle{170, 14, 470, 52};
inline constexpr Rect kListLabel{24, 62, 300, 82};
inline constexpr Rect kListGlass{24, 86, 300, 296};
inline constexpr Rect kDescriptionGlass{24, 306, 300, 380};
inline constexpr Rect kRecordGlass{24, 390, 300, 452};
inline constexpr Rect kBriefingLabel{324, 62, 616, 82};
inline constexpr Rect kBriefingGlass{324, 86, 616, 400};
inline constexpr int kStartX = 324;
inline constexpr int kResumeX = 424;
inline constexpr int kBackX = 524;
inline constexpr int kButtonY = 414;
inline constexpr int kButtonWidth = 92;
inline constexpr int kButtonHeight = 38;

} // namespace q71::selection_layout
