#pragma once
// Bevelled edges and the shades of one colour they are drawn in: raised and sunken frames,
// grooves and ridges, as the gauges, scroll bars and panels of the consoles use them.

#include "platform/gdi/colour.h"
#include "platform/gdi/pen_brush.h"

#include <array>

namespace q71 {

class DeviceContext;

/// Bevel styles: sunken, raised, groove (sunken, then raised) and ridge (raised, then sunken).
enum BevelStyle : int { kBevelSunken = 0, kBevelRaised = 1, kBevelGroove = 2, kBevelRidge = 3 };

/// A shade of a colour: each channel times f(level) / f(divisor), rounded and kept within
/// 0..255, where f(0) = 4/3, f(1) = 1/3, f(2) = 2/3 and f(any other) = 1.
ColorRef shadeColour(ColorRef colour, int level, int divisor);
/// Solid pens of a colour's shades at levels 0, 3, 2 and 1 (divisor 2 with `light`, else 3).
std::array<Pen, 4> makeShadePens(ColorRef colour, bool light);
/// Solid brushes of the same four shades.
std::array<Brush, 4> makeShadeBrushes(ColorRef colour, bool light);

/// Draws a bevel of `width` rings inside the rectangle whose corners (left, top) and (right,
/// bottom) are both drawn. Sunken: top and left edges in the second pen, bottom and right in the
/// first; raised the other way; groove and ridge swap the pens after half the width. The width
/// is limited to half the rectangle's size; nothing is drawn for an empty rectangle.
void drawBevel(DeviceContext& dc, const Pen& first, const Pen& second, int left, int top, int right,
               int bottom, int width, int style);
/// drawBevel with the light (level 0) and dark (level 1) shades of one colour, divisor 2 with
/// `light`, else 3.
void drawBevelWithColour(DeviceContext& dc, ColorRef colour, bool light, int left, int top, int right,
                         int bottom, int width, int style);

} // namespace q71
