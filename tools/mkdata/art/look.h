#pragma once
// The look of the consoles: one palette family (steel greys, black glass, pale labels, one red,
// one amber, one phosphor green, one chart blue) and the panel work every screen is made of,
// drawn on the movies' drawing board with seeded grain, so every build draws the same pixels.

#include "mkdata/movies/canvas.h"
#include "platform/geometry/rect.h"

#include <cstdint>
#include <vector>

namespace q71::mkdata {

namespace palette {
inline constexpr Colour kSteelDark = rgb(0x1A, 0x24, 0x2E);
inline constexpr Colour kSteel = rgb(0x2E, 0x3C, 0x4A);
inline constexpr Colour kSteelLight = rgb(0x4C, 0x5E, 0x70);
inline constexpr Colour kSteelHighlight = rgb(0x86, 0x9A, 0xAE);
inline constexpr Colour kGlass = rgb(0x05, 0x09, 0x0D);
inline constexpr Colour kLabel = rgb(0xEE, 0xEA, 0xD2);
inline constexpr Colour kRed = rgb(0xC8, 0x2C, 0x22);
inline constexpr Colour kAmber = rgb(0xFF, 0xB2, 0x24);
inline constexpr Colour kPhosphor = rgb(0x4C, 0xE8, 0x74);
inline constexpr Colour kChartBlue = rgb(0x0B, 0x22, 0x42);
inline constexpr Colour kBlack = rgb(0, 0, 0);
inline constexpr Colour kWhite = rgb(255, 255, 255);
} // namespace palette

/// A colour made lighter (amount > 0, towards white) or darker (amount < 0, towards black).
Colour shade(Colour colour, float amount);

/// A vertical gradient over a rectangle with a grain of seeded noise (0: none).
void fillRect(Canvas& canvas, const Rect& rect, Colour top, Colour bottom, std::uint32_t seed, float grain);
/// Edges `width` pixels deep: light above and left and dark below and right when raised, the opposite when
/// sunk.
void bevel(Canvas& canvas, const Rect& rect, int width, bool raised);
/// A button's cap `inset` pixels inside a dark recess that fills the canvas, bevelled `bevel` deep (0:
/// as deep as its inset); pressed, it moves a pixel down and right and sinks. Returns the cap's
/// rectangle.
Rect buttonCap(Canvas& canvas, int inset, bool pressed, std::uint32_t seed, int bevel = 0);
/// A slotted screw head centred on a point; the slot turned by an angle in radians.
void screwHead(Canvas& canvas, PointF centre, double angle);
/// A console panel of brushed steel, raised, with a screw in each corner.
void steelPanel(Canvas& canvas, const Rect& rect, std::uint32_t seed);
/// The squares the heads of a steel panel's four corner screws take.
std::vector<Rect> cornerScrews(const Rect& panel);
/// The part of a label's rectangle on a steel panel that keeps a blank pixel clear of the panel's
/// corner screws: narrowed at either end where it runs along the panel's top or bottom.
Rect clearOfScrews(const Rect& label, const Rect& panel);
/// A pane of black display glass set into the panel.
void glassInset(Canvas& canvas, const Rect& rect);
/// A thin engraved line.
void engravedLine(Canvas& canvas, PointF from, PointF to);

} // namespace q71::mkdata
