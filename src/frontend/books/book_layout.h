#pragma once
// Where the books' parts lie on their 540 by 420 page, and where the frame of the main menu's
// screens puts the page; the pictures of the data set are drawn to the same places.

#include "platform/geometry/rect.h"

namespace q71::book_layout {

inline constexpr int kWidth = 540;
inline constexpr int kHeight = 420;
inline constexpr Rect kTitle{70, 8, 470, 40};
/// The list of what the book tells of, on the left.
inline constexpr Rect kListGlass{12, 48, 192, 410};
/// The model, its figures and its page, on the right.
inline constexpr Rect kModelGlass{204, 48, 528, 216};
inline constexpr Rect kFiguresGlass{204, 222, 528, 284};
inline constexpr Rect kPageGlass{204, 290, 528, 410};

/// The frame of the main menu's book screens: the book at 49, 18, the way back below it.
inline constexpr int kBookX = 49;
inline constexpr int kBookY = 18;
inline constexpr int kBackX = 250;
inline constexpr int kBackY = 444;
inline constexpr int kBackWidth = 140;
inline constexpr int kBackHeight = 30;

} // namespace q71::book_layout
