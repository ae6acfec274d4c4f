#pragma once
// Where the port of call's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::portcall_layout {

inline constexpr Rect kTitle{170, 14, 470, 52};
inline constexpr Rect kPointsGlass{24, 62, 616, 100};
inline constexpr int kCategoryCount = 5;
inline constexpr int kFirstRowY = 112;
inline constexpr int kRowStep = 50;
inline constexpr int kRowHeight = 40;
inline constexpr int kNameLeft = 24, kNameRight = 260;
inline constexpr int kLevelLeft = 270, kLevelRight = 420;
inline constexpr int kSellX = 432;
inline constexpr int kBuyX = 526;
inline constexpr int kRowButtonWidth = 90;
inline constexpr Rect kStatusGlass{24, 366, 616, 418};
inline constexpr int kConfirmX = 324;
inline constexpr int kLeaveX = 478;
inline constexpr int kButtonY = 430;
inline constexpr int kButtonWidth = 138;
inline constexpr int kButtonHeight = 38;

/// The top of category row i.
constexpr int rowY(int i) {
    return kFirstRowY + i * kRowStep;
}
constexpr Rect nameGlass(int i) {
    return {kNameLeft, rowY(i), kNameRight, rowY(i) + kRowHeight};
}
constexpr Rect levelGlass(int i) {
    return {kLevelLeft, rowY(i), kLevelRight, rowY(i) + kRowHeight};
}

} // namespace q71::portcall_layout
