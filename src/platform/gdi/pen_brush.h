#pragma once
// Pens and brushes. Both are small values: selecting one into a device context copies it, so a
// pen or brush "deleted" while selected stays valid where it is selected. The numeric codes of
// styles, hatches and stock objects are the window system's.

#include "platform/gdi/bitmap.h"
#include "platform/gdi/colour.h"

#include <memory>
#include <vector>

namespace q71 {

enum class PenStyle { Solid = 0, Dash = 1, Dot = 2, DashDot = 3, DashDotDot = 4, Null = 5, InsideFrame = 6 };

struct Pen {
    PenStyle style = PenStyle::Solid;
    int width = 1; ///< 0 and 1 both draw one pixel wide
    ColorRef colour = 0;

    friend bool operator==(const Pen&, const Pen&) = default;
};

/// A pen as the program creates it; widths below 1 draw one pixel, styles other than solid,
/// inside-frame and null are drawn solid when wider than one pixel (as the window system does).
Pen createPen(PenStyle style, int width, ColorRef colour);

enum class BrushStyle { Solid = 0, Null = 1, Hatched = 2, Pattern = 3 };
enum class HatchStyle {
    Horizontal = 0,
    Vertical = 1,
    ForwardDiagonal = 2,
    BackwardDiagonal = 3,
    Cross = 4,
    DiagonalCross = 5
};

/// The colours of a pattern brush, copied from its bitmap when the brush is made.
struct BrushPattern {
    int width = 0;
    int height = 0;
    std::vector<ColorRef> colours; ///< row-major, top row first
};

struct Brush {
    BrushStyle style = BrushStyle::Solid;
    ColorRef colour = 0;
    HatchStyle hatch = HatchStyle::Horizontal;
    std::shared_ptr<const BrushPattern> pattern;

    friend bool operator==(const Brush&, const Brush&) = default;
};

/// A brush of one colour.
Brush createSolidBrush(ColorRef colour);
/// A hatched brush: lines in the colour, gaps in the background colour when the background mode is opaque.
Brush createHatchBrush(HatchStyle hatch, ColorRef colour);
/// A brush repeating a copy of the bitmap's pixels; the null brush when there is no bitmap.
Brush createPatternBrush(const Bitmap* bitmap);

/// Whether the pixel (x, y) of a hatch's 8 by 8 cell is a line pixel.
bool hatchCovers(HatchStyle hatch, int x, int y);

/// Stock objects by the window system's numbers.
enum class StockObject {
    WhiteBrush = 0,
    LightGrayBrush = 1,
    GrayBrush = 2,
    DarkGrayBrush = 3,
    BlackBrush = 4,
    NullBrush = 5,
    WhitePen = 6,
    BlackPen = 7,
    NullPen = 8,
    OemFixedFont = 10,
    AnsiFixedFont = 11,
    AnsiVarFont = 12,
    SystemFont = 13,
    DeviceDefaultFont = 14,
    SystemFixedFont = 16,
    DefaultGuiFont = 17,
};

/// A stock pen (white, black or null); the black pen for any other stock object.
Pen stockPen(StockObject which);
/// A stock brush (white, grey shades, black or null); the white brush for any other stock object.
Brush stockBrush(StockObject which);

} // namespace q71
