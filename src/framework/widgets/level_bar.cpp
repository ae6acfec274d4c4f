#include "framework/widgets/level_bar.h"

#include "framework/widgets/bevel.h"
#include "platform/gdi/device_context.h"
#include "platform/window/window_paint.h"

#include <algorithm>
#include <cmath>

namespace q71 {
namespace {

// A level that is no number (a share of nothing) shows an empty bar.
double clampLevel(double fraction) {
    return std::isnan(fraction) ? 0.0 : std::clamp(fraction, 0.0, 1.0);
}

} // namespace

LevelBar::LevelBar(WindowHandle parentWindow, int x, int y, int width, int height, double fraction,
                   ColorRef barColour, ColorRef backgroundColour)
    : BaseWidget(parentWindow, x, y, width, height, true), fraction_(clampLevel(fraction)),
      barColour_(barColour), backgroundColour_(backgroundColour) {
    setName("LevelBar");
    length_ = computeLength();
}

int LevelBar::computeLength() const {
    const int inner = std::max(width_ - 2 * border_, 0);
    if (fraction_ >= 1.0)
        return inner;
    // The bar stands still between steps: the level is cut down to the step below it.
    return static_cast<int>((fraction_ - std::fmod(fraction_, 1.0 / steps_)) * inner);
}

void LevelBar::changed(bool noUpdate) {
    length_ = computeLength();
    invalidate(nullptr, false);
    if (!noUpdate)
        windowUpdate(window_);
}

void LevelBar::setLevel(double fraction, bool noUpdate) {
    fraction_ = clampLevel(fraction);
    if (computeLength() != length_)
        changed(noUpdate);
}

void LevelBar::setBarColour(ColorRef colour, bool noUpdate) {
    barColour_ = colour;
    changed(noUpdate);
}

void LevelBar::setSteps(int steps, bool noUpdate) {
    steps_ = std::max(steps, 1);
    changed(noUpdate);
}

void LevelBar::setOuterBevel(int width, bool noUpdate) {
    outerBevel_ = width;
    changed(noUpdate);
}

void LevelBar::setInnerBevel(int width, bool noUpdate) {
    innerBevel_ = width;
    changed(noUpdate);
}

void LevelBar::setBorderWidth(int width, bool noUpdate) {
    border_ = width;
    changed(noUpdate);
}

void LevelBar::paint(PaintRecord& paint) {
    DeviceContext& dc = *paint.dc;
    const int b = border_;
    const int length = length_;
    const int innerHeight = height_ - 2 * b;
    if (b != 0) {
        dc.selectPen(createPen(PenStyle::InsideFrame, b, rgb(0, 0, 0)));
        dc.selectBrush(stockBrush(StockObject::NullBrush));
        dc.rectangle({0, 0, width_, height_});
    }
    const auto shaded = [](ColorRef colour, int level, int divisor) {
        return createPen(PenStyle::Solid, 1, shadeColour(colour, level, divisor));
    };
    if (length > 0 && innerHeight > 0) {
        drawBevel(dc, shaded(barColour_, 0, 3), shaded(barColour_, 1, 3), b, b, length + b - 1,
                  innerHeight + b - 1, outerBevel_, kBevelRaised);
        const int ob = outerBevel_;
        if (length > 2 * ob && innerHeight > 2 * ob)
            dc.fillRect({b + ob, b + ob, b + length - ob, b + innerHeight - ob},
                        createSolidBrush(barColour_));
    }
    const int rest = width_ - length - 2 * b;
    if (rest > 0 && innerHeight > 0) {
        drawBevel(dc, shaded(backgroundColour_, 0, 2), shaded(backgroundColour_, 1, 2), length + b, b,
                  width_ - b - 1, innerHeight + b - 1, innerBevel_, kBevelSunken);
        const int ib = innerBevel_;
        dc.fillRect({length + b + ib, b + ib, width_ - b - ib, b + innerHeight - ib},
                    createSolidBrush(backgroundColour_));
    }
}

} // namespace q71
