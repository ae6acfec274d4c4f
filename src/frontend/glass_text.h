#pragma once
// Texts the front end's screens draw on their glass and plates: one of the interface fonts, a
// colour, transparent, clipped to the rectangle; paragraphs ("\r\n" or "\n") wrap at its width.

#include "platform/gdi/colour.h"
#include "platform/gdi/font.h"
#include "platform/geometry/rect.h"

#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace q71 {

class DeviceContext;

/// The interface fonts the front end writes with: titles on plates, labels, running text on the
/// glass, large lines. All are of the interface's sans-serif faces, so that the texts of one
/// screen read as one hand.
inline constexpr int kTitleFont = 10;
inline constexpr int kLabelFont = 9;
inline constexpr int kTextFont = 2;
inline constexpr int kLargeFont = 6;

/// A line of a group drawn on the glass: its rectangle, its text and its colour.
struct GlassRow {
    Rect area;
    std::string text;
    ColorRef colour = 0;
};

/// The font to write in: interface font `font` when what is written fits in it, else the first of
/// the smaller faces of its weight in which it does (the smallest when none does): the narrow bold
/// ones at 13 and 11 pixels for a bold font, the dialogs' face at 11 pixels for a regular one.
FontRef glassFontFitting(int font, const std::function<bool(const Font&)>& fits);
/// Draws a text wrapped in a rectangle, from its top-left.
void glassParagraph(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour);
/// Draws one line in a rectangle, left-aligned (or centred), vertically centred, in a smaller font
/// of the same weight when it would not fit in the one given.
void glassLine(DeviceContext& dc, const Rect& area, std::string_view text, int font, ColorRef colour,
               bool centred = false);
/// Draws one line in a rectangle in the font given, left-aligned (or centred), vertically centred.
void glassLineInFont(DeviceContext& dc, const Rect& area, std::string_view text, const FontRef& font,
                     ColorRef colour, bool centred = false);
/// Draws lines that stand together (a column of names, of levels) in one font and size: `font`
/// when each fits its rectangle on one line; else, when every rectangle has room for the lines its
/// text wraps into, wrapped in `font` and vertically centred; else on one line each, all in the
/// first smaller face of its weight in which every one fits.
void glassLines(DeviceContext& dc, std::span<const GlassRow> rows, int font, bool centred = false);
/// Draws a screen's title on its plate: one line in the title font and the labels' colour, centred.
void glassTitle(DeviceContext& dc, const Rect& plate, std::string_view title);

} // namespace q71
