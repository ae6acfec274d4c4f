#pragma once
// Where the login screen's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::login_layout {

inline constexpr Rect kTitle{120, 22, 520, 72};
inline constexpr Rect kRosterLabel{40, 94, 320, 116};
inline constexpr Rect kRosterGlass{40, 120, 320, 420};
inline constexpr Rect kNameLabel{348, 94, 600, 116};
inline constexpr Rect kNameGlass{348, 120, 600, 158};
inline constexpr Rect kHint{348, 170, 600, 240};
inline constexpr int kButtonX = 368;
inline constexpr int kValidateY = 300;
inline constexpr int kQuitY = 352;
inline constexpr int kButtonWidth = 212;
inline constexpr int kButtonHeight = 38;

} // namespace q71::login_layout
