#pragma once
// Where the debriefing's parts lie; its picture in the data set is drawn to the same places.

#include "frontend/tab_row.h"
#include "platform/geometry/rect.h"

namespace q71::debrief_layout {

using namespace tab_row;
inline constexpr Rect kTitle{170, 14, 470, 52};
inline constexpr Rect kGlass{40, 110, 600, 400};
inline constexpr Rect kResultText{52, 120, 330, 390};
inline constexpr Rect kTrackPlot{344, 122, 588, 388};
inline constexpr Rect kLogList{50, 116, 590, 394};
inline constexpr Rect kReplayMap{44, 114, 596, 368};
inline constexpr Rect kTimeBar{52, 376, 440, 394};
inline constexpr Rect kTimeText{448, 372, 592, 398};
inline constexpr int kPlayX = 310;
inline constexpr int kPlayWidth = 140;
inline constexpr int kPreviousX = 40;
inline constexpr int kNextX = 190;
inline constexpr int kContinueX = 460;
inline constexpr int kButtonY = 414;
inline constexpr int kButtonWidth = 140;
inline constexpr int kButtonHeight = 38;

} // namespace q71::debrief_layout
