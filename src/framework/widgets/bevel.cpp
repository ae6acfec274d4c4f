#include "framework/widgets/bevel.h"

#include "platform/gdi/device_context.h"

#include <algorithm>

namespace q71 {
namespace {

double shadeFactor(int level) {
    switch (level) {
    case 0:
        return 4.0 / 3.0;
    case 1:
        return 1.0 / 3.0;
    case 2:
        return 2.0 / 3.0;
    default:
        return 1.0;
    }
}

int shadeChannel(int channel, int level, int divisor) {
    double shaded = channel * shadeFactor(level) / shadeFactor(divisor) + 0.5;
    return std::clamp(static_cast<int>(shaded), 0, 255);
}

// The width limited to half the size along one side (sizes count both end pixels).
int limitWidth(int width, int size) {
    return 2 * width >= size ? (size + 1) / 2 : width;
}

void line(DeviceContext& dc, const Pen& pen, Point from, Point to) {
    dc.selectPen(pen);
    dc.moveTo(from);
    dc.lineTo(to);
}

} // namespace

ColorRef shadeColour(ColorRef colour, int level, int divisor) {
    return rgb(shadeChannel(colorRed(colour), level, divisor),
               shadeChannel(colorGreen(colour), level, divisor),
               shadeChannel(colorBlue(colour), level, divisor));
}

std::array<Pen, 4> makeShadePens(ColorRef colour, bool light) {
    const int divisor = light ? 2 : 3;
    std::array<Pen, 4> pens;
    const int levels[4] = {0, 3, 2, 1};
    for (int i = 0; i < 4; ++i)
        pens[static_cast<std::size_t>(i)] =
            createPen(PenStyle::Solid, 1, shadeColour(colour, levels[i], divisor));
    return pens;
}

std::array<Brush, 4> makeShadeBrushes(ColorRef colour, bool light) {
    std::array<Brush, 4> brushes;
    std::array<Pen, 4> pens = makeShadePens(colour, light);
    for (std::size_t i = 0; i < 4; ++i)
        brushes[i] = createSolidBrush(pens[i].colour);
    return brushes;
}

void drawBevel(DeviceContext& dc, const Pen& first, const Pen& second, int left, int top, int right,
               int bottom, int width, int style) {
    if (left > right || top > bottom)
        return;
    width = std::min(limitWidth(width, right - left + 1), limitWidth(width, bottom - top + 1));
    if (width <= 0)
        return;
    const Pen saved = dc.pen();
    const Point savedPosition = dc.currentPosition();
    const bool raised = style == kBevelRaised || style == kBevelRidge;
    const bool swaps = style == kBevelGroove || style == kBevelRidge;
    for (int i = 0; i < width; ++i) {
        bool flip = raised != (swaps && i >= width / 2);
        const Pen& topLeft = flip ? first : second;
        const Pen& bottomRight = flip ? second : first;
        const int l = left + i, t = top + i, r = right - i, b = bottom - i;
        line(dc, topLeft, {r, t}, {l, t});
        line(dc, topLeft, {l, t}, {l, b});
        line(dc, bottomRight, {l, b}, {r, b});
        line(dc, bottomRight, {r, b}, {r, t});
    }
    dc.selectPen(saved);
    dc.moveTo(savedPosition);
}

void drawBevelWithColour(DeviceContext& dc, ColorRef colour, bool light, int left, int top, int right,
                         int bottom, int width, int style) {
    const int divisor = light ? 2 : 3;
    drawBevel(dc, createPen(PenStyle::Solid, 1, shadeColour(colour, 0, divisor)),
              createPen(PenStyle::Solid, 1, shadeColour(colour, 1, divisor)), left, top, right, bottom, width,
              style);
}

} // namespace q71
