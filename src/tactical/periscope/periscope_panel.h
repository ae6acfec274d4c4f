#pragma once
// The periscope panel's console: its controls row by row (the station builds its widgets from
// them, the data set draws their strips from the same rows), its background and where the optic
// sits in it.

#include "platform/geometry/rect.h"
#include "tactical/displays/station_controls.h"

#include <array>

namespace q71 {

/// How a control of the panel behaves.
enum class PeriscopeControlKind { Repeat, Push, PageChoice, Toggle, Lamp };

struct PeriscopeControlRow {
    StationControlRow row;
    PeriscopeControlKind kind;
    int toolTip; ///< text id, -1 none
    const char* sound; ///< click sound, null none
};

/// Command ids of the panel (0 and 1 are the page choices the container handles).
enum PeriscopeCommand : int {
    kPeriscopePage = 0,
    kStadimeterPage = 1,
    kPeriscopeTrainLeft = 2,
    kPeriscopeTiltDown = 3,
    kPeriscopeTiltUp = 4,
    kPeriscopeTrainRight = 5,
    kPeriscopeFix = 6,
    kPeriscopeZoomIn = 7,
    kPeriscopeZoomOut = 8,
    kPeriscopeNightVision = 9,
    kPeriscopeRaiseLower = 10,
    kPeriscopeToStadimeter = 11,
    kPeriscopeLamp = 12,
};

inline constexpr std::array<PeriscopeControlRow, 12> kPeriscopeControls{{
    {{kPeriscopeTrainLeft, 93, 376, 19, 22, 2, "X093Y376.bmp"}, PeriscopeControlKind::Repeat, -1, nullptr},
    {{kPeriscopeTiltDown, 108, 397, 22, 24, 2, "X108Y397.bmp"}, PeriscopeControlKind::Repeat, -1, nullptr},
    {{kPeriscopeTiltUp, 112, 360, 18, 22, 2, "X112Y360.bmp"}, PeriscopeControlKind::Repeat, -1, nullptr},
    {{kPeriscopeTrainRight, 129, 376, 19, 21, 2, "X129Y376.bmp"}, PeriscopeControlKind::Repeat, -1, nullptr},
    {{kPeriscopeFix, 168, 372, 38, 48, 2, "X168Y372.bmp"}, PeriscopeControlKind::Push, 713, "litbtn.WAV"},
    {{kPeriscopePage, 216, 370, 48, 50, 2, "X216Y370.bmp"}, PeriscopeControlKind::PageChoice, 555, "winsel.WAV"},
    {{kStadimeterPage, 275, 371, 40, 48, 2, "X275Y371.bmp"}, PeriscopeControlKind::PageChoice, 556, "winsel.WAV"},
    {{kPeriscopeToStadimeter, 327, 372, 36, 40, 2, "X327Y372.bmp"}, PeriscopeControlKind::Push, 723, "litbtn.WAV"},
    {{kPeriscopeZoomIn, 395, 355, 35, 38, 2, "X395Y355.bmp"}, PeriscopeControlKind::Push, -1, "jewel.wav"},
    {{kPeriscopeZoomOut, 395, 393, 35, 27, 2, "X395Y393.bmp"}, PeriscopeControlKind::Push, -1, "jewel.wav"},
    {{kPeriscopeNightVision, 447, 27, 86, 47, 5, "X447Y027.bmp"}, PeriscopeControlKind::Toggle, -1, "flpswtch.WAV"},
    {{kPeriscopeRaiseLower, 447, 75, 86, 44, 5, "X447Y075.bmp"}, PeriscopeControlKind::Toggle, -1, "flpswtch.WAV"},
}};

/// The ESM meter's nine lamps, the bottom one first.
inline constexpr std::array<StationControlRow, 9> kPeriscopeLamps{{
    {kPeriscopeLamp, 477, 297, 30, 20, 2, "X477Y297.bmp"},
    {kPeriscopeLamp, 477, 278, 30, 20, 2, "X477Y278.bmp"},
    {kPeriscopeLamp, 477, 259, 30, 20, 2, "X477Y259.bmp"},
    {kPeriscopeLamp, 477, 240, 30, 20, 2, "X477Y240.bmp"},
    {kPeriscopeLamp, 477, 221, 30, 20, 2, "X477Y221.bmp"},
    {kPeriscopeLamp, 477, 203, 30, 20, 2, "X477Y203.bmp"},
    {kPeriscopeLamp, 477, 183, 30, 20, 2, "X477Y183.bmp"},
    {kPeriscopeLamp, 477, 165, 30, 20, 2, "X477Y165.bmp"},
    {kPeriscopeLamp, 477, 145, 30, 20, 2, "X477Y145.bmp"},
}};

inline constexpr const char* kPeriscopeGroup = "scope";
inline constexpr const char* kPeriscopeBackground = "scrn28.bmp";
/// The optic's window in the panel.
inline constexpr Rect kPeriscopeOptic{120, 21, 420, 321};
/// The ESM meter's label and its tool tip.
inline constexpr Rect kPeriscopeEsmLabel{462, 117, 520, 140};
inline constexpr int kPeriscopeEsmLabelText = 465;
/// Auto-repeat of the training buttons: after 50 ms, then every 25 ms.
inline constexpr int kPeriscopeRepeatDelay = 50;
inline constexpr int kPeriscopeRepeatInterval = 25;

} // namespace q71
