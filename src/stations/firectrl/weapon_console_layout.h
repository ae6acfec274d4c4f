#pragma once
// The weapon settings console of the fire-control display: where its titles, editors, check
// boxes, plot button and position boxes sit from its origin, their captions and their limits
// (depths in feet, ranges of the ADCAP in yards, of the Harpoon in units of 2000 yards, of the
// Tomahawk in nautical miles, speeds in knots, courses in degrees). The data set draws the
// console's strips from the same rows.

namespace q71 {

inline constexpr int kConsoleX = 360;
inline constexpr int kConsoleY = 40;
/// The three title lines, from the origin.
inline constexpr int kConsoleTitleDy[] = {0, 14, 28};

/// An editor or check box and its caption: caption at dx 0, the control at `controlDx`.
struct ConsoleSettingRow {
    const char* caption; ///< Windows-1252
    int dy;
    int minimum, maximum; ///< an editor's limits (a check box: 0 and 1)
};
inline constexpr int kConsoleControlDx = 100;

// The ADCAP group (the first row doubles as the SLMM depth), then the gyro course.
inline constexpr ConsoleSettingRow kAdcapCeilingRow{"PLAFOND (PI)", 50, 0, 3000};
inline constexpr ConsoleSettingRow kAdcapDepth2Row{"PROF. 2 (PI)", 72, 0, 3000};
inline constexpr ConsoleSettingRow kAdcapFloorRow{"PLANCHER (PI)", 94, 0, 3000};
inline constexpr ConsoleSettingRow kAdcapFlagRow{"AUTODIRECTEUR", 116, 0, 1};
inline constexpr ConsoleSettingRow kAdcapEnableRow{"ARMEMENT (YD)", 138, 0, 50000};
inline constexpr ConsoleSettingRow kAdcapSpeedRow{"VITESSE (ND)", 160, 0, 65};
inline constexpr ConsoleSettingRow kSlmmDepthRow{"IMMERSION (PI)", 50, 0, 3000};
inline constexpr ConsoleSettingRow kGyroRow{"CAP GYRO", 182, 0, 359};
// The Harpoon group.
inline constexpr ConsoleSettingRow kHarpoonRange1Row{"PORT\xC9" "E 1 (2 KYD)", 50, 0, 70};
inline constexpr ConsoleSettingRow kHarpoonRange2Row{"PORT\xC9" "E 2 (2 KYD)", 72, 0, 70};
inline constexpr ConsoleSettingRow kHarpoonFlagRow{"AUTODIRECTEUR", 94, 0, 1};
// The Tomahawk group (its limits are the weapon's range).
inline constexpr ConsoleSettingRow kTomahawkRangeRow{"PORT\xC9" "E (NQ)", 50, 0, 485};

/// The plot button (command 1200) and its caption, centred on dx 84 above it.
inline constexpr int kConsolePlotCommand = 1200;
inline constexpr const char* kConsolePlotButton = "plotbtn.bmp";
inline constexpr int kConsolePlotWidth = 35;
inline constexpr int kConsolePlotHeight = 15;
inline constexpr int kConsolePlotButtonDx = 67;
inline constexpr int kConsolePlotCaptionDx = 84;
inline constexpr int kConsolePlotCaptionDySlmm = 110;
inline constexpr int kConsolePlotCaptionDyTomahawk = 125;
inline constexpr int kConsolePlotButtonBelowCaption = 15;
inline constexpr const char* kConsolePlotCaption = "TRACER LA ROUTE";

/// The check boxes' strip: unchecked, checked.
inline constexpr const char* kConsoleCheckBox = "chkbox.bmp";
inline constexpr int kConsoleCheckSize = 14;

/// The position of the selected route point: caption, latitude box (1300), caption, longitude
/// box (1400), the hint below.
inline constexpr int kConsoleLatitudeBox = 1300;
inline constexpr int kConsoleLongitudeBox = 1400;
inline constexpr int kConsolePositionDy = 204;
inline constexpr int kConsoleBoxDx = 40;
inline constexpr int kConsoleBoxWidth = 120;
inline constexpr int kConsoleBoxHeight = 16;
inline constexpr const char* kConsolePositionCaptions[] = {"LAT.", "LONG.", "POINT DE ROUTE CHOISI"};

/// The first control id of the editors (each takes three: the field and its two arrows).
inline constexpr int kConsoleEditorIds = 9000;

} // namespace q71
