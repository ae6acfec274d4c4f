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

// The dial under the knob: ticks at the detents and their labels, kept inside the frame.
void drawDial(Canvas& frame, const KnobDial& dial, const MovieFont& font) {
    frame.disc(dial.pivot, dial.radius + 7, shade(palette::kSteelDark, -0.35f));
    frame.ring(dial.pivot, dial.radius + 7, 1.0, shade(palette::kSteelLight, -0.2f));
    for (int i = 0; i < dial.detents; ++i) {
        const double angle = detentAngle(dial, i);
        frame.line(dialPoint(dial.pivot, dial.radius + 2, angle), dialPoint(dial.pivot, dial.radius + 6, angle), 1.5,
                   palette::kLabel);
        if (i >= static_cast<int>(dial.labels.size()))
            continue;
        const PointF at = dialPoint(dial.pivot, dial.radius + 9 + font.height() * 0.6, angle);
        const int width = static_cast<int>(std::ceil(font.width(dial.labels[static_cast<std::size_t>(i)]))) + 4;
        const int height = font.height() + 2;
        const int left = std::clamp(static_cast<int>(at.x) - width / 2, 0, std::max(0, frame.width() - width));
        const int top = std::clamp(static_cast<int>(at.y) - height / 2, 0, std::max(0, frame.height() - height));
        engravedText(frame, Rect{left, top, left + width, top + height}, dial.labels[static_cast<std::size_t>(i)],
                     font, palette::kLabel, true);
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

std::vector<Canvas> knobFrames(int width, int height, const KnobDial& dial, const MovieFont& font) {
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
