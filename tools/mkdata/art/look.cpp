#include "mkdata/art/look.h"

#include "mkdata/sounds/dsp.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

void fillGradient(Canvas& canvas, const Rect& rect, ColorRef top, ColorRef bottom, std::uint32_t seed,
                  double grain) {
    Noise noise(seed);
    const int height = std::max(rect.bottom - rect.top - 1, 1);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const ColorRef row = mixColour(top, bottom, static_cast<double>(y - rect.top) / height);
        for (int x = rect.left; x < rect.right; ++x)
            canvas.setPixel(x, y, shade(row, grain * noise.next()));
    }
}

void bevel(Canvas& canvas, const Rect& rect, int width, bool raised) {
    const ColorRef light = raised ? rgb(255, 255, 255) : 0;
    const ColorRef dark = raised ? 0 : rgb(255, 255, 255);
    for (int i = 0; i < width; ++i) {
        const double strength = 0.35 * (width - i) / width;
        const Rect r{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
        for (int x = r.left; x < r.right; ++x) {
            canvas.blend(x, r.top, light, raised ? strength : strength * 0.4);
            canvas.blend(x, r.bottom - 1, dark, raised ? strength * 1.4 : strength);
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            canvas.blend(r.left, y, light, raised ? strength : strength * 0.4);
            canvas.blend(r.right - 1, y, dark, raised ? strength * 1.4 : strength);
        }
    }
}

void screwHead(Canvas& canvas, int x, int y, double angle) {
    constexpr double kRadius = 3.6;
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -5; dx <= 5; ++dx) {
            const double d = std::hypot(dx, dy);
            if (d > kRadius + 0.5)
                continue;
            // Lit from the top left: the head is a dome.
            const double light = -(dx + dy) / (2.0 * kRadius);
            ColorRef colour = shade(palette::kSteelLight, 0.35 * light);
            if (d > kRadius - 0.6)
                colour = shade(palette::kSteelDark, -0.3);
            const double across = std::abs(-dx * std::sin(angle) + dy * std::cos(angle));
            if (across < 0.8 && d < kRadius - 0.8)
                colour = shade(palette::kSteelDark, -0.5);
            canvas.blend(x + dx, y + dy, colour, std::clamp(kRadius + 0.5 - d, 0.0, 1.0));
        }
}

void steelPanel(Canvas& canvas, const Rect& rect, std::uint32_t seed) {
    fillGradient(canvas, rect, shade(palette::kSteel, 0.08), shade(palette::kSteel, -0.18), seed, 0.025);
    // Brushed grain: faint streaks along the panel.
    Noise streaks(seed ^ 0x5bd1e995u);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const double streak = 0.03 * streaks.next();
        for (int x = rect.left; x < rect.right; ++x)
            canvas.setPixel(x, y, shade(canvas.pixel(x, y), streak));
    }
    bevel(canvas, rect, 2, true);
    const int inset = 8;
    Noise turn(seed + 7);
    screwHead(canvas, rect.left + inset, rect.top + inset, turn.next() * 3.14159);
    screwHead(canvas, rect.right - 1 - inset, rect.top + inset, turn.next() * 3.14159);
    screwHead(canvas, rect.left + inset, rect.bottom - 1 - inset, turn.next() * 3.14159);
    screwHead(canvas, rect.right - 1 - inset, rect.bottom - 1 - inset, turn.next() * 3.14159);
}

void glassInset(Canvas& canvas, const Rect& rect) {
    fillGradient(canvas, rect, shade(palette::kGlass, 0.06), palette::kGlass, 0, 0.0);
    // A faint reflection across the upper part of the glass.
    for (int y = rect.top; y < rect.top + (rect.bottom - rect.top) / 3; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            canvas.blend(x, y, palette::kSteelHighlight, 0.035);
    bevel(canvas, rect, 2, false);
}

void engravedLine(Canvas& canvas, Point from, Point to) {
    DeviceContext& dc = canvas.dc();
    dc.selectPen(createPen(PenStyle::Solid, 1, shade(palette::kSteelDark, -0.4)));
    dc.moveTo(from);
    dc.lineTo(to);
    dc.selectPen(createPen(PenStyle::Solid, 1, palette::kSteelLight));
    dc.moveTo({from.x + 1, from.y + 1});
    dc.lineTo({to.x + 1, to.y + 1});
}

void engravedText(Canvas& canvas, const Rect& rect, std::string_view text, const FontRef& font,
                  ColorRef colour, unsigned format) {
    DeviceContext& dc = canvas.dc();
    dc.selectFont(font);
    dc.setBkMode(kTransparent);
    Rect shadow{rect.left + 1, rect.top + 1, rect.right + 1, rect.bottom + 1};
    dc.setTextColor(shade(palette::kSteelDark, -0.6));
    dc.drawText(text, shadow, format | kDtNoPrefix);
    Rect face = rect;
    dc.setTextColor(colour);
    dc.drawText(text, face, format | kDtNoPrefix);
}

} // namespace q71::mkdata
