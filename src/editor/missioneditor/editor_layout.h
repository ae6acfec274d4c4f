#pragma once
// The mission editor's screen: the map in its bezel on the left, the area list, the tool
// buttons and the file name on the right. The data set draws the screen's art from these places.

#include "platform/geometry/rect.h"

#include <array>

namespace q71 {

inline constexpr const char* kEditorGroup = "editor";

namespace editor_layout {
inline constexpr Rect kTitle{16, 8, 456, 40};
inline constexpr Rect kMap{20, 48, 452, 468}; ///< the chart inside its bezel
inline constexpr Rect kPanel{468, 8, 632, 472};
inline constexpr Rect kAreaLabel{478, 14, 622, 30};
inline constexpr Rect kAreaGlass{478, 32, 622, 166};
inline constexpr Rect kFileLabel{478, 426, 622, 442};
inline constexpr Rect kFileGlass{478, 444, 622, 466};
inline constexpr int kButtonX = 478;
inline constexpr int kFirstButtonY = 172;
inline constexpr int kButtonStep = 23;
inline constexpr int kButtonWidth = 144;
inline constexpr int kButtonHeight = 21;

/// The texts of the buttons that open the mission's texts and its goals: the boxes go by them.
inline constexpr int kSettingsText = 2636, kGoalsText = 2637;
/// The tool buttons, top to bottom: their label's text.
inline constexpr std::array<int, 11> kButtonTexts{2620, 2621, 2622, 2623, 2624, 2625, kSettingsText, kGoalsText,
                                                 2626, 2627, 2628};

constexpr int buttonY(int i) {
    return kFirstButtonY + i * kButtonStep;
}
} // namespace editor_layout

} // namespace q71
