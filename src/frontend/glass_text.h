#pragma once
// Texts the front end's screens draw on their glass and plates: one of the interface fonts, a
// colour, transparent, clipped to the rectangle; paragraphs ("\r\n" or "\n") wrap at its width.

#include "platform/gdi/colour.h"
#include "platform/geometry/rect.h"

#include <functional>
#include <string_view>

namespace q71 {

class DeviceContext;
class Font;

/// The interface fonts the front end writes with: titles on plates, labels, running text on the
/// glass, large lines. All are of the interface's sans-serif faces, so that the texts of one
/// screen read as one hand.
inline constexpr int kTitleFont = 10;
inline constexpr int kLabelFont = 9;
inline constexpr int kTextFont = 2;
inline constexpr int kLargeFont = 6;

/// The interface font to write in: `font` when what is written fits in it, else the first of the
/// smaller narrow faces in which it does (the running text's, then the labels'; the smallest when
/// none does).
int glassFontFitting(int font, const std::function<bool(const Font&)>& fits);
/// Draws a text wrapped in a rectangle, from its top-left.
void glassParagraph(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour);
/// Draws one line in a rectangle, left-aligned (or centred), vertically centred, in a smaller font
/// when it would not fit in the one given: the running text's or the labels' narrow face, never
/// smaller.
void glassLine(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour,
               bool centred = false);
/// Draws a screen's title on its plate: one line in the title font and the labels' colour, centred.
void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title);

} // namespace q71
