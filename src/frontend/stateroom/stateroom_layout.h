#pragma once
// Where the state room's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::stateroom_layout {

inline constexpr int kWidth = 540;
inline constexpr int kHeight = 420;
inline constexpr Rect kTitle{70, 18, 470, 56};
inline constexpr Rect kNameGlass{30, 70, 510, 120};
inline constexpr Rect kClockGlass{200, 128, 340, 166};
/// The safe's door, with its engraved name and the glass that says what the last act did.
inline constexpr Rect kSafeDoor{60, 180, 480, 340};
inline constexpr Rect kSafeLabel{80, 188, 460, 210};
inline constexpr Rect kSafeGlass{90, 214, 450, 262};
/// The safe's two toggles: save, then load.
inline constexpr int kSaveX = 96;
inline constexpr int kLoadX = 284;
inline constexpr int kToggleY = 280;
inline constexpr int kToggleWidth = 160;
inline constexpr int kToggleHeight = 40;
inline constexpr int kOptionsX = 60;
inline constexpr int kEndX = 296;
inline constexpr int kButtonY = 360;
inline constexpr int kButtonWidth = 184;
inline constexpr int kButtonHeight = 38;

} // namespace q71::stateroom_layout
