#pragma once
// The buttons of the main menu, top to bottom: the label's text, the screen the button leads to
// and the transition that makes that screen first (with its argument) when it needs one. A
// screen that does not exist yet has no button; the data set draws a button for every line.

#include "framework/app/screen_manager.h"

#include "platform/geometry/rect.h"

#include <array>

namespace q71 {

/// What the quit button leads to: the quit question.
inline constexpr int kMainMenuQuit = -1;

struct MainMenuEntry {
    int labelText;                  ///< text id of the label
    int slot;                       ///< the screen-table slot shown, or kMainMenuQuit
    void (*transition)() = nullptr; ///< called before the switch, when not null
};

inline constexpr std::array<MainMenuEntry, 12> kMainMenuEntries{{
    {2300, kSlotMissionSelection, screenCreateMissionSelectionMode1},
    {2301, kSlotMissionSelection, screenCreateMissionSelectionMode2},
    {2302, kSlotMissionSelection, [] { screenCreateCampaignSelection(1); }},
    {2303, kSlotOptions, [] { screenCreateOptions(0); }},
    {2304, kSlotShipBooks},
    {2305, kSlotReferenceBook},
    {2306, kSlotCaptainsLog},
    {2307, kSlotPortOfCall},
    {2308, kSlotMultiPlayer},
    {2309, kSlotMissionEditor},
    {1921, kSlotCredits},
    {1922, kMainMenuQuit},
}};

namespace main_menu_layout {
inline constexpr Rect kTitle{352, 58, 604, 96};
inline constexpr Rect kButtonPanel{340, 40, 616, 440};
inline constexpr Rect kEmblemPanel{24, 40, 316, 440};
inline constexpr int kButtonX = 368;
inline constexpr int kFirstButtonY = 104;
inline constexpr int kButtonStep = 28;
inline constexpr int kButtonWidth = 220;
inline constexpr int kButtonHeight = 24;

/// The top of the button of entry i.
constexpr int buttonY(int i) {
    return kFirstButtonY + i * kButtonStep;
}
} // namespace main_menu_layout

} // namespace q71
