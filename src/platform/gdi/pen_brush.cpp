#include "platform/gdi/pen_brush.h"

#include <algorithm>

namespace q71 {

Pen createPen(PenStyle style, int width, ColorRef colour) {
    Pen pen{style, std::max(width, 1), colour & 0x00FFFFFF};
    bool styled = style == PenStyle::Dash || style == PenStyle::Dot || style == PenStyle::DashDot ||
                  style == PenStyle::DashDotDot;
    if (styled && pen.width > 1)
        pen.style = PenStyle::Solid;
    return pen;
}

Brush createSolidBrush(ColorRef colour) {
    return {BrushStyle::Solid, colour & 0x00FFFFFF, HatchStyle::Horizontal, {}};
}

Brush createHatchBrush(HatchStyle hatch, ColorRef colour) {
    return {BrushStyle::Hatched, colour & 0x00FFFFFF, hatch, {}};
}

Brush createPatternBrush(const Bitmap* bitmap) {
    if (!bitmap)
        return stockBrush(StockObject::NullBrush);
    auto pattern = std::make_shared<BrushPattern>();
    pattern->width = bitmap->width();
    pattern->height = bitmap->height();
    pattern->colours.reserve(static_cast<size_t>(pattern->width) * static_cast<size_t>(pattern->height));
    PixelSurface surface = bitmap->surface();
    for (int y = 0; y < pattern->height; ++y)
        for (int x = 0; x < pattern->width; ++x)
            pattern->colours.push_back(surface.decode(surface.read(x, y)));
    return {BrushStyle::Pattern, 0, HatchStyle::Horizontal, std::move(pattern)};
}

bool hatchCovers(HatchStyle hatch, int x, int y) {
    x &= 7, y &= 7;
    switch (hatch) {
    case HatchStyle::Horizontal:
        return y == 3;
    case HatchStyle::Vertical:
        return x == 3;
    case HatchStyle::ForwardDiagonal:
        return x == y;
    case HatchStyle::BackwardDiagonal:
        return x + y == 7;
    case HatchStyle::Cross:
        return x == 3 || y == 3;
    case HatchStyle::DiagonalCross:
        return x == y || x + y == 7;
    }
    return false;
}

Pen stockPen(StockObject which) {
    switch (which) {
    case StockObject::WhitePen:
        return {PenStyle::Solid, 1, rgb(255, 255, 255)};
    case StockObject::NullPen:
        return {PenStyle::Null, 1, 0};
    default:
        return {PenStyle::Solid, 1, 0};
    }
}

Brush stockBrush(StockObject which) {
    switch (which) {
    case StockObject::LightGrayBrush:
        return createSolidBrush(rgb(192, 192, 192));
    case StockObject::GrayBrush:
        return createSolidBrush(rgb(128, 128, 128));
    case StockObject::DarkGrayBrush:
        return createSolidBrush(rgb(64, 64, 64));
    case StockObject::BlackBrush:
        return createSolidBrush(0);
    case StockObject::NullBrush:
        return {BrushStyle::Null, 0, HatchStyle::Horizontal, {}};
    default:
        return createSolidBrush(rgb(255, 255, 255));
    }
}

} // namespace q71
