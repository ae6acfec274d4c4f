#include "mkdata/art/knobs.h"

#include "mkdata/art/look.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71::mkdata {
namespace {

double detentAngle(const KnobDial& dial, int detent) {
    return detentDegrees(dial.startAngle, dial.sweep, dial.detents, detent);
}

// The dial under the knob: ticks at the detents and their labels, each label beyond its tick and
// a blank pixel clear of every tick, kept inside the frame.
void drawDial(Canvas& frame, const KnobDial& dial, const LetterFont& font) {
    frame.disc(dial.pivot, dial.radius + 7, shade(palette::kSteelDark, -0.35f));
    frame.ring(dial.pivot, dial.radius + 7, 1.0, shade(palette::kSteelLight, -0.2f));
    std::vector<Rect> ticks;
    for (int i = 0; i < dial.detents; ++i) {
        const double angle = detentAngle(dial, i);
        const PointF inner = dialPoint(dial.pivot, dial.radius + 2, angle);
        const PointF outer = dialPoint(dial.pivot, dial.radius + 6, angle);
        frame.line(inner, outer, 1.5, palette::kLabel);
        // Where the smoothed line leaves any trace.
        ticks.push_back(Rect{static_cast<int>(std::floor(std::min(inner.x, outer.x) - 1.5)),
                             static_cast<int>(std::floor(std::min(inner.y, outer.y) - 1.5)),
                             static_cast<int>(std::ceil(std::max(inner.x, outer.x) + 1.5)),
                             static_cast<int>(std::ceil(std::max(inner.y, outer.y) + 1.5))});
    }
    for (std::size_t i = 0; i < dial.labels.size() && i < static_cast<std::size_t>(dial.detents); ++i) {
        const std::string& text = dial.labels[i];
        const int width = font.width(text) + 4;
        const int height = font.lineHeight() + 2;
        // The label's box stands out from the dial along its detent's direction, just beyond the ticks.
        const double angle = detentAngle(dial, static_cast<int>(i)) * std::numbers::pi / 180.0;
        const double reach = dial.radius + 7 + 0.5 * (std::abs(std::sin(angle)) * width + std::abs(std::cos(angle)) * height);
        const PointF at = dialPoint(dial.pivot, reach, detentAngle(dial, static_cast<int>(i)));
        const int left = std::clamp(static_cast<int>(std::lround(at.x - width / 2.0)), 0, std::max(0, frame.width() - width));
        const int top = std::clamp(static_cast<int>(std::lround(at.y - height / 2.0)), 0, std::max(0, frame.height() - height));
        letterLabel(frame, {Rect{left, top, left + width, top + height}, Align::Centre, ticks}, text, font,
                    palette::kLabel);
    }
}

} // namespace

PointF dialPoint(PointF centre, double radius, double degrees) {
    const double a = degrees * std::numbers::pi / 180.0;
    return {centre.x + std::sin(a) * radius, centre.y - std::cos(a) * radius};
}

double detentDegrees(double startAngle, double sweep, int count, int index) {
    return startAngle + (count > 1 ? sweep * index / (count - 1) : 0.0);
}

std::vector<Canvas> knobFrames(int width, int height, const KnobDial& dial, const LetterFont& font) {
    Canvas face(width, height);
    fillRect(face, Rect{0, 0, width, height}, palette::kSteel, shade(palette::kSteel, -0.15f), 4711, 0.02f);
    drawDial(face, dial, font);
    std::vector<Canvas> frames;
    for (int detent = 0; detent < dial.detents; ++detent) {
        Canvas frame = face;
        frame.disc({dial.pivot.x + 1, dial.pivot.y + 2}, dial.radius, palette::kBlack, 0.5f);
        frame.disc(dial.pivot, dial.radius, shade(palette::kSteelLight, -0.1f));
        // Ribs round the rim, turning with the knob.
        const double angle = detentAngle(dial, detent);
        for (int rib = 0; rib < 16; ++rib) {
            const double a = angle + rib * 22.5;
            frame.line(dialPoint(dial.pivot, dial.radius - 3, a), dialPoint(dial.pivot, dial.radius, a), 1.0,
                       shade(palette::kSteelDark, 0.1f));
        }
        frame.disc(dial.pivot, dial.radius - 4, shade(palette::kSteelHighlight, -0.35f));
        frame.line(dial.pivot, dialPoint(dial.pivot, dial.radius - 1, angle), 2.5, palette::kLabel);
        frames.push_back(std::move(frame));
    }
    return frames;
}

} // namespace q71::mkdata
