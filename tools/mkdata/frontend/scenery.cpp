#include "mkdata/frontend/scenery.h"

#include "mkdata/art/look.h"
#include "mkdata/graphics/archives.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace q71::mkdata {

void stage(const Context& context, const char* group, const std::string& name, const std::string& file) {
    stageArchiveMember(context, kGraphicsFolder, group, name, file);
}

// Deep water seen on a chart: navy shading to black, a faint grid and depth rings.
void chartWater(Canvas& canvas, std::uint32_t seed) {
    canvas.gradient(shade(palette::kChartBlue, 0.05f), shade(palette::kChartBlue, -0.75f), 0, kHeight);
    for (int x = 0; x < kWidth; x += 40)
        canvas.line({x + 0.5, 0}, {x + 0.5, static_cast<double>(kHeight)}, 1.0, palette::kSteelHighlight,
                    0.05f);
    for (int y = 0; y < kHeight; y += 40)
        canvas.line({0, y + 0.5}, {static_cast<double>(kWidth), y + 0.5}, 1.0, palette::kSteelHighlight,
                    0.05f);
    canvas.grain(seed, 0.012f);
}

// A bearing ring: the circle, a tick every 5 degrees, longer every 30, and the four cardinal marks.
void bearingRing(Canvas& canvas, PointF centre, double radius, Colour colour) {
    canvas.ring(centre, radius, 2.0, colour);
    canvas.ring(centre, radius - 14, 1.0, colour, 0.6f);
    for (int degrees = 0; degrees < 360; degrees += 5) {
        const double a = degrees * kPi / 180.0;
        const double inner = radius - (degrees % 30 == 0 ? 12 : 6);
        canvas.line({centre.x + std::sin(a) * inner, centre.y - std::cos(a) * inner},
                    {centre.x + std::sin(a) * radius, centre.y - std::cos(a) * radius},
                    degrees % 30 == 0 ? 1.6 : 1.0, colour, 0.9f);
    }
}

// An attack submarine in profile, bow to the right: hull of revolution, sail and planes.
void submarine(Canvas& canvas, PointF centre, double length, Colour colour) {
    const double h = length * 0.09;
    std::vector<PointF> hull;
    for (int i = 0; i <= 40; ++i) {
        const double t = i / 40.0;
        const double x = centre.x - length / 2 + t * length;
        const double radius = h * std::pow(std::sin(std::min(t * 1.15, 1.0) * kPi * 0.5), 0.5) *
                              (t > 0.8 ? std::sqrt(std::max(0.0, (1 - t) / 0.2)) : 1.0);
        hull.push_back({x, centre.y - radius});
    }
    for (int i = 40; i >= 0; --i) {
        const PointF top = hull[static_cast<std::size_t>(i)];
        hull.push_back({top.x, 2 * centre.y - top.y});
    }
    canvas.polygon(hull, colour);
    const double sailX = centre.x + length * 0.12;
    canvas.polygon({{sailX - h * 0.9, centre.y - h * 0.8},
                    {sailX - h * 0.5, centre.y - h * 2.6},
                    {sailX + h * 1.4, centre.y - h * 2.6},
                    {sailX + h * 1.7, centre.y - h * 0.8}},
                   colour);
    canvas.line({sailX - h * 0.2, centre.y - h * 1.9}, {sailX + h * 2.4, centre.y - h * 1.9}, h * 0.35,
                colour);
    canvas.polygon({{centre.x - length * 0.44, centre.y},
                    {centre.x - length * 0.5, centre.y - h * 1.3},
                    {centre.x - length * 0.47, centre.y - h * 1.3},
                    {centre.x - length * 0.4, centre.y}},
                   colour);
    canvas.line({centre.x - length * 0.5, centre.y}, {centre.x - length * 0.41, centre.y}, h * 0.25, colour);
}

// A raised plate carrying an engraved title.
void titlePlate(Canvas& canvas, const Rect& rect, const std::string& title, const LetterFont& font,
                std::uint32_t seed) {
    fillRect(canvas, rect, shade(palette::kSteelLight, 0.05f), shade(palette::kSteel, -0.05f), seed, 0.02f);
    bevel(canvas, rect, 2, true);
    engravedText(canvas, rect, title, font, palette::kLabel, true);
}

} // namespace q71::mkdata
