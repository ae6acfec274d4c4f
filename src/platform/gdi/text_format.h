#pragma once
// Flags of the text calls, by the window system's numbers.

namespace q71 {

// Text alignment: where the reference point of textOut lies on the text.
constexpr unsigned kTaLeft = 0;
constexpr unsigned kTaUpdateCp = 1;
constexpr unsigned kTaRight = 2;
constexpr unsigned kTaCenter = 6;
constexpr unsigned kTaTop = 0;
constexpr unsigned kTaBottom = 8;
constexpr unsigned kTaBaseline = 24;

// Options of extTextOut.
constexpr unsigned kEtoOpaque = 2;
constexpr unsigned kEtoClipped = 4;

// Formats of drawText.
constexpr unsigned kDtTop = 0x0;
constexpr unsigned kDtLeft = 0x0;
constexpr unsigned kDtCenter = 0x1;
constexpr unsigned kDtRight = 0x2;
constexpr unsigned kDtVCenter = 0x4;
constexpr unsigned kDtBottom = 0x8;
constexpr unsigned kDtWordBreak = 0x10;
constexpr unsigned kDtSingleLine = 0x20;
constexpr unsigned kDtExpandTabs = 0x40;
constexpr unsigned kDtTabStop = 0x80;
constexpr unsigned kDtNoClip = 0x100;
constexpr unsigned kDtExternalLeading = 0x200;
constexpr unsigned kDtCalcRect = 0x400;
constexpr unsigned kDtNoPrefix = 0x800;

} // namespace q71
