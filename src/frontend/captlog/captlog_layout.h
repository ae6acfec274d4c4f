#pragma once
// Where the captain's log's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::captlog_layout {

inline constexpr Rect kTitle{120, 14, 520, 52};
inline constexpr Rect kLogGlass{24, 64, 616, 362};
inline constexpr Rect kEntryLabel{24, 370, 616, 388};
inline constexpr Rect kEntryGlass{24, 392, 616, 424};
inline constexpr Rect kStatusGlass{24, 434, 310, 472};
inline constexpr int kWriteX = 324;
inline constexpr int kBackX = 478;
inline constexpr int kButtonY = 434;
inline constexpr int kButtonWidth = 138;
inline constexpr int kButtonHeight = 38;

} // namespace q71::captlog_layout
