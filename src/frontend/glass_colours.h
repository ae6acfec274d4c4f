#pragma once
// The colours the front end draws with on its display glass: phosphor for what can be read or
// chosen, amber for what is selected or counts, dim phosphor for what cannot be chosen yet.

#include "platform/gdi/colour.h"

namespace q71::glass_colours {

inline constexpr ColorRef kPhosphor = rgb(0x4C, 0xE8, 0x74);
inline constexpr ColorRef kDimPhosphor = rgb(0x26, 0x6E, 0x3A);
inline constexpr ColorRef kAmber = rgb(0xFF, 0xB2, 0x24);
inline constexpr ColorRef kLitRow = rgb(0x3A, 0x2A, 0x08);
inline constexpr ColorRef kWarningRed = rgb(0xE8, 0x3A, 0x2E);
inline constexpr ColorRef kLabel = rgb(0xEE, 0xEA, 0xD2);

} // namespace q71::glass_colours
