#pragma once
// The buttons of the main menu, top to bottom: the label's text and what the button leads to.
// A screen that does not exist yet has no button; each part of the game adds its line here, and
// the data set draws a button for every line.

#include "framework/app/screen_manager.h"

#include "platform/geometry/rect.h"

#include <array>

namespace q71 {

/// What the quit button leads to: the quit question.
inline constexpr int kMainMenuQuit = -1;

struct MainMenuEntry {
    int labelText; ///< text id of the label
    int slot;      ///< the screen-table slot shown, or kMainMenuQuit
};

inline constexpr std::array<MainMenuEntry, 2> kMainMenuEntries{{
    {1921, kSlotCredits},
    {1922, kMainMenuQuit},
}};

namespace main_menu_layout {
inline constexpr Rect kTitle{352, 58, 604, 96};
inline constexpr Rect kButtonPanel{340, 40, 616, 440};
inline constexpr Rect kEmblemPanel{24, 40, 316, 440};
inline constexpr int kButtonX = 368;
inline constexpr int kFirstButtonY = 116;
inline constexpr int kButtonStep = 48;
inline constexpr int kButtonWidth = 220;
inline constexpr int kButtonHeight = 38;

/// The top of the button of entry i.
constexpr int buttonY(int i) {
    return kFirstButtonY + i * kButtonStep;
}
} // namespace main_menu_layout

} // namespace q71
