#include "mkdata/art/look.h"

#include "mkdata/sounds/dsp.h"

#include <algorithm>
#include <cmath>

namespace q71::mkdata {

namespace {
// Where a panel's corner screws stand, from its edges, and how far their heads reach.
constexpr double kScrewInset = 8.5;
constexpr double kScrewReach = 4.2;
} // namespace


Colour shade(Colour colour, float amount) {
    return amount >= 0 ? mixColour(colour, palette::kWhite, amount)
                       : mixColour(colour, palette::kBlack, -amount);
}

void fillRect(Canvas& canvas, const Rect& rect, Colour top, Colour bottom, std::uint32_t seed, float grain) {
    Noise noise(seed);
    const float span = static_cast<float>(std::max(rect.height() - 1, 1));
    for (int y = rect.top; y < rect.bottom; ++y) {
        const Colour row = mixColour(top, bottom, static_cast<float>(y - rect.top) / span);
        for (int x = rect.left; x < rect.right; ++x)
            canvas.blend(x, y, shade(row, grain * noise.next()), 1.0f);
    }
}

void bevel(Canvas& canvas, const Rect& rect, int width, bool raised) {
    const Colour upper = raised ? palette::kWhite : palette::kBlack;
    const Colour lower = raised ? palette::kBlack : palette::kWhite;
    const float upperStrength = raised ? 0.35f : 0.45f;
    const float lowerStrength = raised ? 0.5f : 0.12f;
    for (int i = 0; i < width; ++i) {
        const float fade = static_cast<float>(width - i) / static_cast<float>(width);
        const Rect r{rect.left + i, rect.top + i, rect.right - i, rect.bottom - i};
        for (int x = r.left; x < r.right; ++x) {
            canvas.blend(x, r.top, upper, upperStrength * fade);
            canvas.blend(x, r.bottom - 1, lower, lowerStrength * fade);
        }
        for (int y = r.top + 1; y < r.bottom - 1; ++y) {
            canvas.blend(r.left, y, upper, upperStrength * fade);
            canvas.blend(r.right - 1, y, lower, lowerStrength * fade);
        }
    }
}

Rect buttonCap(Canvas& canvas, int inset, bool pressed, std::uint32_t seed, int bevel) {
    const int width = canvas.width();
    const int height = canvas.height();
    fillRect(canvas, Rect{0, 0, width, height}, shade(palette::kSteelDark, -0.5f),
             shade(palette::kSteelDark, -0.3f), 0, 0.0f);
    const int shift = pressed ? 1 : 0;
    const Rect cap{inset + shift, inset + shift, width - inset + shift, height - inset + shift};
    fillRect(canvas, cap, pressed ? shade(palette::kSteel, -0.05f) : shade(palette::kSteelLight, 0.05f),
             pressed ? shade(palette::kSteel, -0.25f) : shade(palette::kSteel, -0.05f), seed, 0.015f);
    mkdata::bevel(canvas, cap, bevel > 0 ? bevel : inset, !pressed);
    return cap;
}

void screwHead(Canvas& canvas, PointF centre, double angle) {
    constexpr double kRadius = kScrewReach - 0.6;
    canvas.disc(centre, kRadius + 0.6, shade(palette::kSteelDark, -0.4));
    canvas.disc(centre, kRadius, palette::kSteelLight);
    // Lit from the top left: the dome is brighter there.
    canvas.disc({centre.x - 1.0, centre.y - 1.0}, kRadius * 0.55, shade(palette::kSteelLight, 0.25), 0.6f);
    const double dx = std::cos(angle) * (kRadius - 0.8), dy = std::sin(angle) * (kRadius - 0.8);
    canvas.line({centre.x - dx, centre.y - dy}, {centre.x + dx, centre.y + dy}, 1.1,
                shade(palette::kSteelDark, -0.5));
}

std::vector<Rect> cornerScrews(const Rect& panel) {
    const int side = static_cast<int>(std::ceil(kScrewInset + kScrewReach));
    return {{panel.left, panel.top, panel.left + side, panel.top + side},
            {panel.right - side, panel.top, panel.right, panel.top + side},
            {panel.left, panel.bottom - side, panel.left + side, panel.bottom},
            {panel.right - side, panel.bottom - side, panel.right, panel.bottom}};
}

Rect clearOfScrews(const Rect& label, const Rect& panel) {
    Rect clear = label;
    for (const Rect& screw : cornerScrews(panel))
        if (screw.top < clear.bottom && clear.top < screw.bottom) {
            if (screw.left == panel.left)
                clear.left = std::max(clear.left, screw.right);
            else
                clear.right = std::min(clear.right, screw.left);
        }
    return clear;
}

void steelPanel(Canvas& canvas, const Rect& rect, std::uint32_t seed) {
    fillRect(canvas, rect, shade(palette::kSteel, 0.08f), shade(palette::kSteel, -0.2f), seed, 0.025f);
    // Brushed grain: faint streaks along the panel.
    Noise streaks(seed ^ 0x5bd1e995u);
    for (int y = rect.top; y < rect.bottom; ++y) {
        const float streak = 0.04f * streaks.next();
        for (int x = rect.left; x < rect.right; ++x)
            canvas.blend(x, y, streak > 0 ? palette::kWhite : palette::kBlack, std::abs(streak));
    }
    bevel(canvas, rect, 2, true);
    const double inset = kScrewInset;
    Noise turn(seed + 7);
    for (PointF corner :
         {PointF{rect.left + inset, rect.top + inset}, PointF{rect.right - 1 - inset, rect.top + inset},
          PointF{rect.left + inset, rect.bottom - 1 - inset},
          PointF{rect.right - 1 - inset, rect.bottom - 1 - inset}})
        screwHead(canvas, corner, turn.next() * 3.14159);
}

void glassInset(Canvas& canvas, const Rect& rect) {
    fillRect(canvas, rect, shade(palette::kGlass, 0.05f), palette::kGlass,
             static_cast<std::uint32_t>(rect.left * 7 + rect.top), 0.02f);
    // A faint reflection across the upper third of the glass.
    for (int y = rect.top; y < rect.top + rect.height() / 3; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            canvas.blend(x, y, palette::kSteelHighlight, 0.035f);
    bevel(canvas, rect, 2, false);
}

void engravedLine(Canvas& canvas, PointF from, PointF to) {
    canvas.line(from, to, 1.0, shade(palette::kSteelDark, -0.4f));
    canvas.line({from.x + 1, from.y + 1}, {to.x + 1, to.y + 1}, 1.0, palette::kSteelLight, 0.8f);
}

} // namespace q71::mkdata
