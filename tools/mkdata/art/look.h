#pragma once
// The look of the data set's pictures: one palette family (steel greys, black glass, pale
// labels, one red, one amber, one phosphor green, one chart blue), seeded noise so that every
// build draws the same pixels, and the panel work every screen is made of.

#include "mkdata/art/canvas.h"
#include "platform/gdi/font.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <string_view>

namespace q71::mkdata {

namespace palette {
inline constexpr ColorRef kSteelDark = rgb(0x1A, 0x24, 0x2E);
inline constexpr ColorRef kSteel = rgb(0x2E, 0x3C, 0x4A);
inline constexpr ColorRef kSteelLight = rgb(0x4C, 0x5E, 0x70);
inline constexpr ColorRef kSteelHighlight = rgb(0x86, 0x9A, 0xAE);
inline constexpr ColorRef kGlass = rgb(0x05, 0x09, 0x0D);
inline constexpr ColorRef kLabel = rgb(0xEE, 0xEA, 0xD2);
inline constexpr ColorRef kRed = rgb(0xC8, 0x2C, 0x22);
inline constexpr ColorRef kAmber = rgb(0xFF, 0xB2, 0x24);
inline constexpr ColorRef kPhosphor = rgb(0x4C, 0xE8, 0x74);
inline constexpr ColorRef kChartBlue = rgb(0x0B, 0x22, 0x42);
} // namespace palette

/// A vertical gradient from `top` to `bottom` with a grain of seeded noise (0: none).
void fillGradient(Canvas& canvas, const Rect& rect, ColorRef top, ColorRef bottom, std::uint32_t seed,
                  double grain);
/// Edges `width` pixels deep: light above and left and dark below and right when raised, the opposite when
/// sunk.
void bevel(Canvas& canvas, const Rect& rect, int width, bool raised);
/// A slotted screw head centred on a point.
void screwHead(Canvas& canvas, int x, int y, double angle);
/// A console panel of brushed steel, raised, with a screw in each corner.
void steelPanel(Canvas& canvas, const Rect& rect, std::uint32_t seed);
/// A pane of black display glass set into the panel.
void glassInset(Canvas& canvas, const Rect& rect);
/// A thin engraved line from one point to another.
void engravedLine(Canvas& canvas, Point from, Point to);
/// Text in a rectangle (drawText format), engraved: a dark shadow below and right of it.
void engravedText(Canvas& canvas, const Rect& rect, std::string_view text, const FontRef& font,
                  ColorRef colour, unsigned format);

} // namespace q71::mkdata
