#pragma once
// Where the navigation station's pages put their controls and what they are drawn from: the
// pages read these rows, and the data set draws its strips and console faces from the same ones.

#include "platform/geometry/rect.h"

namespace q71 {

/// One control of a page: place, size, strip, frames, tool tip (-1: none) and click sound.
struct NavControlRow {
    int id;
    const char* bitmap;
    int x, y, width, height, frames;
    int toolTip;
    const char* sound;
};

/// A knob: its control row, first detent angle and sweep (degrees clockwise from up), detents.
struct NavKnobRow {
    NavControlRow control;
    int startAngle, sweep, detents;
};

/// The missing-resource text of a fatal report.
inline constexpr int kNavMissingText = 606;
inline constexpr int kNavPageWidth = 540;
inline constexpr int kNavPageHeight = 420;

// The chart page ("scrn26.bmp" in the group "nav").
inline constexpr const char* kNavChartGroup = "nav";
inline constexpr const char* kNavChartBackground = "scrn26.bmp";
inline constexpr Rect kNavChartGlass{37, 34, 37 + 350, 34 + 350};

enum NavChartCommand : int {
    kNavCmdChartPage = 0,
    kNavCmdFathometerPage = 1,
    kNavCmdPanXPlus = 2,
    kNavCmdLock = 3,
    kNavCmdPanXMinus = 6,
    kNavCmdScaleUp = 7,
    kNavCmdPanYPlus = 8,
    kNavCmdPanYMinus = 9,
    kNavCmdScaleDown = 11,
    kNavCmdContacts = 12,
    kNavCmdKindAir = 23,
    kNavCmdKindSurface = 24,
    kNavCmdKindSubSurface = 25,
    kNavCmdKindUnknown = 26,
    kNavCmdSideFriendly = 27,
    kNavCmdSideHostile = 28,
    kNavCmdSideNeutral = 29,
    kNavCmdSideUnknown = 30,
};

inline constexpr NavControlRow kNavChartPageButtons[] = {
    {kNavCmdChartPage, "X425Y357.bmp", 425, 357, 50, 59, 2, 557, "winsel.WAV"},
    {kNavCmdFathometerPage, "X475Y357.bmp", 475, 357, 61, 58, 2, 558, "winsel.WAV"},
};
inline constexpr NavControlRow kNavLockButton{kNavCmdLock, "X425Y270.bmp", 425, 270, 44, 36, 3, 722, "lockbtn.WAV"};
inline constexpr NavControlRow kNavContactsButton{kNavCmdContacts, "X425Y307.bmp", 425, 307, 43, 47, 3, 724,
                                                  "litlbtn.WAV"};
/// The pan and scale buttons, repeating while held.
inline constexpr NavControlRow kNavViewButtons[] = {
    {kNavCmdPanXPlus, "X493Y155.bmp", 493, 155, 34, 34, 2, -1, nullptr},
    {kNavCmdPanXMinus, "X431Y152.bmp", 431, 152, 32, 40, 2, -1, nullptr},
    {kNavCmdScaleUp, "X440Y230.bmp", 440, 230, 37, 42, 2, -1, nullptr},
    {kNavCmdPanYPlus, "X462Y188.bmp", 462, 188, 35, 34, 2, -1, nullptr},
    {kNavCmdPanYMinus, "X462Y123.bmp", 462, 123, 35, 37, 2, -1, nullptr},
    {kNavCmdScaleDown, "X478Y230.bmp", 478, 230, 45, 42, 2, -1, nullptr},
};
inline constexpr int kNavRepeatDelayMs = 250;
inline constexpr int kNavRepeatIntervalMs = 50;

// The fathometer page ("scrn26a.bmp" in the group "fathmtr").
inline constexpr const char* kFathometerGroup = "fathmtr";
inline constexpr const char* kFathometerBackground = "scrn26a.bmp";
inline constexpr Rect kFathometerGlass{35, 35, 35 + 350, 35 + 350};
inline constexpr int kFathometerReadOutId = 4;
inline constexpr int kFathometerReadOutX = 439;
inline constexpr int kFathometerReadOutY = 192;
inline constexpr int kFathometerReadOutDigits = 5;
/// The unit written beside the readout.
inline constexpr int kFathometerUnitX = 503;
inline constexpr int kFathometerUnitY = 191;

enum FathometerCommand : int { kFathCmdDepthKnob = 2, kFathCmdTimeKnob = 3 };

inline constexpr NavControlRow kFathometerPageButtons[] = {
    {kNavCmdChartPage, "X425Y355.bmp", 425, 355, 51, 65, 2, 557, "winsel.WAV"},
    {kNavCmdFathometerPage, "X475Y355.bmp", 475, 355, 50, 65, 2, 558, "winsel.WAV"},
};
inline constexpr NavKnobRow kFathometerTimeKnob{
    {kFathCmdTimeKnob, "X430Y255.bmp", 430, 255, 103, 85, 5, -1, "dialsnd.WAV"}, 270, 180, 5};
inline constexpr NavKnobRow kFathometerDepthKnob{
    {kFathCmdDepthKnob, "X428Y045.bmp", 428, 45, 109, 90, 6, -1, "dialsnd.WAV"}, 225, 270, 6};
/// The knobs' pivot inside their widget.
inline constexpr int kFathometerKnobPivotX = 60;
inline constexpr int kFathometerKnobPivotY = 42;

/// Hot spots over the fathometer's engraved labels, shown when pop-up texts are on.
struct NavHotSpotRow {
    Rect rect;
    int text;
};
inline constexpr NavHotSpotRow kFathometerHotSpots[] = {
    {{445, 9, 516, 20}, 477},
    {{451, 166, 512, 177}, 478},
    {{446, 234, 516, 245}, 479},
};

} // namespace q71
