#pragma once
// Where the fire-control station's pages put their controls and what they are drawn from: the
// pages read these rows, and the data set draws its strips and console faces from the same ones.

#include "platform/geometry/rect.h"
#include "stations/nav/nav_layout.h"

#include <array>

namespace q71 {

inline constexpr const char* kFireGroup = "firectrl";
inline constexpr const char* kFirePanelBackground = "scrn25b.bmp";
inline constexpr const char* kFireDisplayBackground = "scrn25a.bmp";
inline constexpr const char* kLoadOutBackground = "scrn25c.bmp";

/// The commands that switch the station's pages.
enum FirePageCommand : int {
    kFireCmdLoadOut = 4400,
    kFireCmdDisplay = 5100,
    kFireCmdPanel = 5200,
    kFireCmdLoadOutBack = 5500,
};

// The fire panel page.
inline constexpr int kFireCmdFiringSwitch = 3300;
inline constexpr NavControlRow kFiringSwitch{kFireCmdFiringSwitch, "x425y260.bmp", 425, 260, 81, 94, 5, -1,
                                             "dialsnd.WAV"};
/// The part of the firing switch that takes clicks, inside the widget.
inline constexpr Rect kFiringSwitchHit{23, 5, 73, 54};
inline constexpr NavControlRow kFireLoadOutButton{kFireCmdLoadOut, "x038y372.bmp", 38, 372, 48, 44, 2, 554,
                                                  "winsel.WAV"};
/// The radio pair of page buttons on the fire panel and the display: the panel's, the display's.
inline constexpr NavControlRow kFirePageButtons[] = {
    {kFireCmdPanel, "x478y375.bmp", 478, 375, 44, 42, 2, 553, "winsel.WAV"},
    {kFireCmdDisplay, "x434y373.bmp", 434, 373, 44, 44, 2, 552, "winsel.WAV"},
};
inline constexpr int kFirePanelButtonIndex = 0;
inline constexpr int kFireDisplayButtonIndex = 1;

/// A panel of the fire panel page: its origin, control id base and lamp number.
struct FirePanelRow {
    int x, y;
    int idBase;
    int lamp;
};
inline constexpr std::array<FirePanelRow, 12> kFireCellPanels{{
    {42, 22, 300, 8},
    {158, 22, 310, 6},
    {274, 22, 320, 5},
    {390, 22, 330, 7},
    {42, 88, 340, 12},
    {158, 88, 350, 10},
    {274, 88, 360, 9},
    {390, 88, 370, 11},
    {42, 154, 380, 16},
    {158, 154, 390, 14},
    {274, 154, 400, 13},
    {390, 154, 410, 15},
}};
inline constexpr std::array<FirePanelRow, 4> kFireTubePanels{{
    {130, 237, 110, 2},
    {275, 237, 120, 1},
    {130, 301, 130, 4},
    {275, 301, 140, 3},
}};
inline constexpr std::array<FirePanelRow, 2> kFireDecoyPanels{{{118, 378, 4000, 0}, {274, 378, 4100, 0}}};
inline constexpr std::array<const char*, 2> kFireDecoyLamps{"LIGHT2a.BMP", "LIGHT1a.BMP"};

/// Hot spots over the fire panel's engravings (tool texts on) and over its page buttons (pop-up
/// texts on).
inline constexpr NavHotSpotRow kFirePanelHotSpots[] = {
    {{199, 7, 339, 18}, 500},
    {{199, 221, 342, 243}, 501},
    {{177, 363, 366, 374}, 502},
};
inline constexpr NavHotSpotRow kFirePanelButtonSpots[] = {
    {{478, 375, 522, 417}, 553},
    {{434, 373, 478, 417}, 552},
};
inline constexpr int kFirePanelHotSpotIds[] = {21, 22, 23};

// The load-out page.
inline constexpr const char* kLoadOutLamp = "wlight.bmp";
inline constexpr int kLoadOutLampWidth = 47;
inline constexpr int kLoadOutLampHeight = 21;
inline constexpr int kLoadOutLampFrames = 5;
inline constexpr int kLoadOutCellColumns[] = {260, 307};
inline constexpr int kLoadOutCellTop = 80;
inline constexpr int kLoadOutRackColumns[] = {374, 421};
inline constexpr int kLoadOutRackTop = 91;
inline constexpr int kLoadOutRowStep = 21;
inline constexpr int kLoadOutRackLamps = 20;
inline constexpr Point kLoadOutTubeLamps[] = {{260, 270}, {307, 270}, {260, 291}, {307, 291}};
inline constexpr int kLoadOutTubeLampId = 20;
inline constexpr NavControlRow kLoadOutBackButton{
    kFireCmdLoadOutBack, "x436y363.bmp", 436, 363, 48, 27, 2, -1, "winsel.WAV"};
/// The totals: Tomahawk, Harpoon, ADCAP, SLMM, countermeasures of kind A and of kind B.
inline constexpr Point kLoadOutTotals[] = {{217, 72},  {217, 139}, {217, 205},
                                           {217, 271}, {355, 358}, {262, 358}};
inline constexpr Point kLoadOutUnlimited{270, 210};
inline constexpr int kLoadOutUnlimitedText = 708;
/// The hatching over the page while weapons are unlimited: lines this far apart, to this extent.
inline constexpr int kLoadOutHatchStep = 10;
inline constexpr int kLoadOutHatchExtent = 540;

// The fire-control display.
enum FireDisplayCommand : int {
    kFireCmdPanUp = 2100,
    kFireCmdPanDown = 2200,
    kFireCmdPanLeft = 2300,
    kFireCmdPanRight = 2400,
    kFireCmdScaleUp = 2500,
    kFireCmdScaleDown = 2600,
    kFireCmdShowAll = 2800,
    kFireCmdLock = 3200,
};
inline constexpr Rect kFireChartGlass{34, 26, 34 + 280, 26 + 267};
/// The show-all switch: up, down (on) and its disabled look, while a launcher's console is open.
inline constexpr NavControlRow kFireShowAllButton{kFireCmdShowAll, "x239y321.bmp", 239, 321, 35, 38, 3, 721,
                                                  "litlbtn.WAV"};
inline constexpr NavControlRow kFireLockButton{kFireCmdLock, "x232y372.bmp", 232, 372, 41, 33, 2,
                                               722,          "lockbtn.WAV"};
/// The pan and scale buttons, repeating while held.
inline constexpr NavControlRow kFireViewButtons[] = {
    {kFireCmdPanUp, "x154y320.bmp", 154, 320, 34, 36, 2, -1, nullptr},
    {kFireCmdPanDown, "x154y386.bmp", 154, 386, 34, 31, 2, -1, nullptr},
    {kFireCmdPanLeft, "x123y350.bmp", 123, 350, 31, 40, 2, -1, nullptr},
    {kFireCmdPanRight, "x186y350.bmp", 186, 350, 31, 38, 2, -1, nullptr},
    {kFireCmdScaleUp, "x045y334.bmp", 45, 334, 40, 35, 2, -1, nullptr},
    {kFireCmdScaleDown, "x045y372.bmp", 45, 372, 40, 35, 2, -1, nullptr},
};
/// The glass right of the chart where the launcher overview, a launcher's settings or a tube's
/// guidance show.
inline constexpr Rect kFireLauncherViews{360, 20, 530, 356};
/// The commands of the launcher overview that open a cell's or a tube's settings, or a tube's
/// guidance, the first launcher's; the others' follow.
inline constexpr int kFireCmdCellViews = 1500;
inline constexpr int kFireCmdTubeViews = 1600;
inline constexpr int kFireCmdWireViews = 1700;
/// The hidden "Return" button of the guidance view, and its label.
inline constexpr NavControlRow kFireReturnButton{1, "blank.bmp", 417, 320, 46, 21, 2, -1, nullptr};
/// The part of the button's cap that its label stands on, from the button's left: right of the
/// lamp stripe and clear of the bevel, as the data set's push buttons leave it for their labels.
inline constexpr int kFireReturnFaceLeft = 14;
inline constexpr int kFireReturnFaceRight = 40;
inline constexpr NavHotSpotRow kFireDisplayHotSpot{{130, 6, 130 + 222, 6 + 18}, 503};

/// The contact selector: a drop-down list over the launcher selection, its list 200 high, drawn
/// on the pattern bitmap with the drop button "cbcrt.bmp" (up, pressed, disabled).
inline constexpr int kFireCmdContactSelector = 1900;
inline constexpr Rect kFireContactSelector{376, 39, 376 + 130, 39 + 200};
inline constexpr int kFireSelectorPattern = 152;
inline constexpr const char* kFireSelectorButton = "cbcrt.bmp";
inline constexpr int kFireSelectorButtonWidth = 18;
inline constexpr int kFireSelectorButtonHeight = 20;
inline constexpr int kFireSelectorButtonFrames = 3;
/// The selector's entry and text for "no contact" (the tubes then run on their set course).
inline constexpr int kFireNoContactText = 351;

/// The chart's readouts of the selected contact: the designation on the first row, then a
/// caption and its value on each further row.
inline constexpr int kFireReadoutLeft = 5;
inline constexpr int kFireReadoutRows[] = {10, 25, 40, 55, 70, 85};
/// Course, speed, range, bearing, classification.
inline constexpr int kFireReadoutCaptions[] = {178, 180, 181, 810, 811};
inline constexpr int kFireClassifiedText = 813;
inline constexpr int kFireUnclassifiedText = 812;
inline constexpr int kFireDisplayHotSpotId = 21;

} // namespace q71
