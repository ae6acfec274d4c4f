#include "mkdata/art/console_parts.h"

#include "mkdata/art/knobs.h"
#include "mkdata/art/look.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

namespace {

// The dark recess every control sits in.
void recess(Canvas& canvas) {
    fillRect(canvas, Rect{0, 0, canvas.width(), canvas.height()}, shade(palette::kSteelDark, -0.45f),
             shade(palette::kSteelDark, -0.25f), 0, 0.0f);
    bevel(canvas, Rect{0, 0, canvas.width(), canvas.height()}, 1, false);
}

// A round lamp lens, lit or dark, in a colour.
void lamp(Canvas& canvas, PointF centre, double radius, Colour colour, bool lit) {
    canvas.disc(centre, radius + 1.0, shade(palette::kSteelDark, -0.6f));
    canvas.disc(centre, radius, lit ? colour : shade(colour, -0.6f));
    canvas.disc({centre.x - radius * 0.3, centre.y - radius * 0.3}, radius * 0.35,
                lit ? shade(colour, 0.6f) : shade(colour, -0.3f), 0.7f);
    if (lit)
        canvas.glow(centre, radius * 2.2, colour, 0.35f);
}

} // namespace

std::vector<Canvas> knobFrames(int width, int height, int frames, int positions, double startAngle, double sweep) {
    std::vector<Canvas> strip;
    const PointF centre{width / 2.0, height / 2.0 + 2.0};
    const double radius = std::min(width, height) * 0.5 - 6.0;
    for (int f = 0; f < frames; ++f) {
        Canvas frame(width, height);
        recess(frame);
        // The dial's detent marks.
        for (int p = 0; p < positions; ++p) {
            const double angle = detentDegrees(startAngle, sweep, positions, p);
            frame.line(dialPoint(centre, radius + 1.5, angle), dialPoint(centre, radius + 4.5, angle), 1.4,
                       palette::kLabel);
        }
        // The knob: a ribbed skirt and a cap, lit from the top left.
        frame.disc({centre.x + 1.5, centre.y + 1.5}, radius * 0.82, palette::kBlack, 0.5f);
        frame.disc(centre, radius * 0.82, shade(palette::kSteelDark, -0.2f));
        for (int rib = 0; rib < 24; ++rib)
            frame.line(dialPoint(centre, radius * 0.66, rib * 15.0), dialPoint(centre, radius * 0.8, rib * 15.0), 1.0,
                       shade(palette::kSteel, 0.15f), 0.7f);
        frame.disc(centre, radius * 0.62, palette::kSteel);
        frame.disc({centre.x - radius * 0.15, centre.y - radius * 0.15}, radius * 0.4,
                   shade(palette::kSteelLight, 0.1f), 0.6f);
        const double angle = detentDegrees(startAngle, sweep, frames, f);
        frame.line(dialPoint(centre, radius * 0.1, angle), dialPoint(centre, radius * 0.78, angle), 2.2,
                   palette::kLabel);
        strip.push_back(std::move(frame));
    }
    return strip;
}

std::vector<Canvas> toggleSwitchFrames(int width, int height, int frames, double leverShare) {
    std::vector<Canvas> strip;
    const PointF pivot{width / 2.0, height / 2.0};
    const double lever = std::min(width, height) * leverShare;
    for (int f = 0; f < frames; ++f) {
        Canvas frame(width, height);
        recess(frame);
        // The bushing and the guard plate.
        const Rect plate{width / 2 - 7, height / 2 - 9, width / 2 + 7, height / 2 + 9};
        fillRect(frame, plate, shade(palette::kSteelLight, 0.1f), palette::kSteel, 0, 0.0f);
        bevel(frame, plate, 1, true);
        frame.disc(pivot, 5.0, shade(palette::kSteelDark, -0.3f));
        // Up at frame 0, down at the last, seen a little from above.
        const double t = frames > 1 ? static_cast<double>(f) / (frames - 1) : 0.0;
        const double tip = -lever + 2.0 * lever * t;
        const PointF end{pivot.x, pivot.y + tip};
        frame.line({pivot.x + 1.5, pivot.y + 1.5}, {end.x + 1.5, end.y + 1.5}, 4.5, palette::kBlack, 0.5f);
        frame.line(pivot, end, 4.0, palette::kSteelHighlight);
        frame.disc(end, 3.6, palette::kLabel);
        strip.push_back(std::move(frame));
    }
    return strip;
}

std::vector<Canvas> coveredButtonFrames(int width, int height, int frames, int coverFrames, const std::string& label,
                                        const LetterFont& font) {
    // The bottom edge of the raised cover: its hinged top part stays in sight.
    constexpr int kRaisedCoverBottom = 19;
    std::vector<Canvas> strip;
    for (int f = 0; f < frames; ++f) {
        Canvas frame(width, height);
        const bool disabled = f == frames - 1;
        const bool pressed = !disabled && f >= coverFrames;
        const Rect cap = buttonCap(frame, 4, pressed, static_cast<std::uint32_t>(width * 7 + height));
        lamp(frame, {(cap.left + cap.right) / 2.0, cap.top + cap.height() * 0.62}, std::min(cap.width(), cap.height()) * 0.18,
             palette::kRed, pressed);
        // The cover: hinged at the top, shut over the face at frame 0, raised from the last cover frame on.
        const double open = f < coverFrames ? static_cast<double>(f) / std::max(coverFrames - 1, 1) : 1.0;
        const double coverBottom = height - 3 - (height - 3 - kRaisedCoverBottom) * open;
        std::vector<PointF> cover{{3, 3}, {width - 3.0, 3}, {width - 3.0, coverBottom}, {3, coverBottom}};
        frame.polygon(cover, disabled ? shade(palette::kRed, -0.6f) : palette::kRed, open < 1.0 ? 0.85f : 0.95f);
        frame.line({3, coverBottom}, {width - 3.0, coverBottom}, 1.5, shade(palette::kRed, -0.5f));
        frame.line({3, 4}, {width - 3.0, 4}, 2.0, shade(palette::kRed, 0.35f), 0.8f);
        for (double y = 9; y < coverBottom - 3; y += 5)
            frame.line({8, y}, {width - 8.0, y}, 1.0, shade(palette::kRed, -0.3f), 0.5f);
        // The name is painted on the cover, pale on the red, in the rows the cover keeps however far
        // it is raised.
        engravedText(frame, Rect{3, 4, width - 3, kRaisedCoverBottom}, label, font, palette::kLabel, true);
        if (disabled)
            frame.darken(0.6f);
        strip.push_back(std::move(frame));
    }
    return strip;
}

namespace {

constexpr int kLampButtonBevel = 3;
constexpr double kLabelledLampRadius = 3.0;

// A lamp button's cap as it stands up, its lamp's centre and where its label goes: under the lamp.
struct LampButtonParts {
    PointF lamp;
    Rect lampBox; ///< the lens and its dark rim
    Rect label;
};

LampButtonParts lampButtonParts(const Rect& cap) {
    const PointF lamp{(cap.left + cap.right) / 2.0, cap.top + 7.0};
    const int reach = static_cast<int>(std::ceil(kLabelledLampRadius + 1.0));
    const Rect lampBox{static_cast<int>(std::floor(lamp.x)) - reach, static_cast<int>(std::floor(lamp.y)) - reach,
                       static_cast<int>(std::ceil(lamp.x)) + reach, static_cast<int>(std::ceil(lamp.y)) + reach};
    return {lamp, lampBox,
            Rect{cap.left + kLampButtonBevel, lampBox.bottom, cap.right - kLampButtonBevel, cap.bottom - kLampButtonBevel}};
}

} // namespace

bool lampButtonFits(int width, int height, const std::string& label, const LetterFont& font) {
    const LampButtonParts parts = lampButtonParts(
        Rect{kLampButtonBevel, kLampButtonBevel, width - kLampButtonBevel, height - kLampButtonBevel});
    return font.fitsIn(label, {parts.label, Align::Centre, {parts.lampBox}});
}

std::vector<Canvas> lampButtonFrames(int width, int height, const std::string& label, const LetterFont& font,
                                     bool disabledFrame) {
    // A label with no room under a lamp is engraved on the lens itself: the whole face lights.
    const bool litFace = !label.empty() && !lampButtonFits(width, height, label, font);
    std::vector<Canvas> strip;
    for (int f = 0; f < (disabledFrame ? 3 : 2); ++f) {
        Canvas frame(width, height);
        const bool down = f == 1;
        const Rect cap = buttonCap(frame, kLampButtonBevel, down, static_cast<std::uint32_t>(width * 13 + height));
        const Colour ink = f == 2 ? shade(palette::kSteelLight, 0.1f) : palette::kLabel;
        if (label.empty()) {
            lamp(frame, {(cap.left + cap.right) / 2.0, (cap.top + cap.bottom) / 2.0},
                 std::min(cap.width(), cap.height()) * 0.22, palette::kAmber, down);
        } else if (litFace) {
            const Rect lens = cap.inflatedBy(-kLampButtonBevel, -kLampButtonBevel);
            fillRect(frame, lens, down ? shade(palette::kAmber, 0.2f) : shade(palette::kAmber, -0.62f),
                     down ? palette::kAmber : shade(palette::kAmber, -0.72f), 0, 0.0f);
            // Flat: the lens is small, and the letters stand out on it by its light alone.
            letterLabel(frame, {lens, Align::Centre, {}}, label, font, down ? shade(palette::kSteelDark, -0.5f) : ink,
                        Relief::Flat);
        } else {
            const LampButtonParts parts = lampButtonParts(cap);
            lamp(frame, parts.lamp, kLabelledLampRadius, palette::kAmber, down);
            letterLabel(frame, {parts.label, Align::Centre, {parts.lampBox}}, label, font, ink);
        }
        if (f == 2)
            frame.darken(0.6f);
        strip.push_back(std::move(frame));
    }
    return strip;
}

void readoutWell(Canvas& canvas, int x, int y, int digits, int cell) {
    glassInset(canvas, readoutWellRect(x, y, digits, cell));
}

Rect readoutWellRect(int x, int y, int digits, int cell) {
    return Rect{x - 3, y - 3, x + digits * cell + 3, y + cell + 3};
}

std::vector<Canvas> rockerFrames(int width, int height, bool upright) {
    std::vector<Canvas> strip;
    for (int f = 0; f < 3; ++f) {
        Canvas frame(width, height);
        recess(frame);
        const Rect body{2, 2, width - 2, height - 2};
        fillRect(frame, body, shade(palette::kSteelLight, 0.05f), shade(palette::kSteel, -0.1f), 0, 0.0f);
        bevel(frame, body, 2, true);
        // The pressed half sinks and darkens.
        if (f != 1) {
            const bool first = f == 0;
            const Rect half = upright ? Rect{body.left, first ? body.top : (body.top + body.bottom) / 2, body.right,
                                             first ? (body.top + body.bottom) / 2 : body.bottom}
                                      : Rect{first ? body.left : (body.left + body.right) / 2, body.top,
                                             first ? (body.left + body.right) / 2 : body.right, body.bottom};
            fillRect(frame, half, shade(palette::kSteel, -0.3f), shade(palette::kSteel, -0.4f), 0, 0.0f);
            bevel(frame, half, 2, false);
        }
        // Arrows on each half.
        const PointF c{width / 2.0, height / 2.0};
        const double d = (upright ? height : width) * 0.25;
        const double s = std::min(width, height) * 0.18;
        if (upright) {
            frame.polygon({{c.x, c.y - d - s}, {c.x - s, c.y - d + s}, {c.x + s, c.y - d + s}}, palette::kLabel);
            frame.polygon({{c.x, c.y + d + s}, {c.x - s, c.y + d - s}, {c.x + s, c.y + d - s}}, palette::kLabel);
        } else {
            frame.polygon({{c.x - d - s, c.y}, {c.x - d + s, c.y - s}, {c.x - d + s, c.y + s}}, palette::kLabel);
            frame.polygon({{c.x + d + s, c.y}, {c.x + d - s, c.y - s}, {c.x + d - s, c.y + s}}, palette::kLabel);
        }
        strip.push_back(std::move(frame));
    }
    return strip;
}

} // namespace q71::mkdata
