#pragma once
// Where the network lobby's parts lie; its picture in the data set is drawn to the same places.

#include "platform/geometry/rect.h"

#include <array>

namespace q71 {

inline constexpr const char* kMultiGroup = "multi";

namespace lobby_layout {
inline constexpr Rect kTitle{16, 8, 624, 40};
inline constexpr Rect kLeftPanel{16, 44, 316, 472};
inline constexpr Rect kRightPanel{324, 44, 624, 472};
inline constexpr Rect kHostsLabel{26, 50, 306, 66};
inline constexpr Rect kHostsGlass{26, 68, 306, 196};
inline constexpr Rect kAddressLabel{26, 202, 306, 218};
inline constexpr Rect kAddressGlass{26, 220, 306, 244};
inline constexpr Rect kPlayersLabel{26, 252, 306, 268};
inline constexpr Rect kPlayersGlass{26, 270, 306, 396};
inline constexpr Rect kScenarioLabel{26, 404, 306, 420};
inline constexpr Rect kScenarioGlass{26, 422, 306, 446};
inline constexpr Rect kMessagesLabel{334, 50, 614, 66};
inline constexpr Rect kMessagesGlass{334, 68, 614, 306};
inline constexpr Rect kChatGlass{334, 312, 614, 336};
inline constexpr int kFirstButtonX = 334;
inline constexpr int kSecondButtonX = 478;
inline constexpr int kFirstButtonY = 346;
inline constexpr int kButtonStep = 30;
inline constexpr int kButtonWidth = 136;
inline constexpr int kButtonHeight = 24;

/// The buttons, in two columns read row by row: their label's text.
inline constexpr std::array<int, 8> kButtonTexts{2703, 2704, 2705, 2706, 2707, 2708, 2709, 2710};

constexpr int buttonX(int i) {
    return i % 2 == 0 ? kFirstButtonX : kSecondButtonX;
}
constexpr int buttonY(int i) {
    return kFirstButtonY + (i / 2) * kButtonStep;
}
} // namespace lobby_layout

} // namespace q71
