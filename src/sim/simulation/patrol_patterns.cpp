#include "sim/simulation/patrol_patterns.h"

#include "framework/math/fast_math.h"
#include "sim/simulation/random.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr double kRowSpacing = 9144.0; // the widest spacing of mode-8 rows, and mode 9's leg step (yards)
// A box far narrower than it is high would give rows without end; no pattern runs more passes.
constexpr double kMaxPasses = 1000.0;

WorldPoint along(double x, double y, double bearing, double range) {
    return {x + range * tableSinDegrees(bearing), y + range * tableCosDegrees(bearing), 0.0};
}

bool finite(std::initializer_list<double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

} // namespace

std::vector<WorldPoint> patternRandomPoints(double x, double y, double baseBearing, double width,
                                            double height, int level) {
    if (!finite({x, y, baseBearing, width, height}))
        return {};
    std::vector<WorldPoint> points{{x, y, 0.0}};
    const double spread = (4.0 - level) * 5.0; // degrees either side
    const double spacing = std::min(std::min(std::fabs(width), std::fabs(height)) * 0.5, kRowSpacing);
    if (!(spacing > 0.0))
        return points; // a box of no width or height has no rows
    const double step = height < 0.0 ? -spacing : spacing;
    const double rows = std::min(std::fabs(height) / spacing, kMaxPasses);
    const int wholeRows = static_cast<int>(rows);

    // A point at (dx, dy) in the box, dx being the width or 0, placed by a perturbed bearing.
    const auto perturbed = [&](bool farColumn, double dy) {
        if (farColumn)
            return along(x, y, geoBearing(width, dy) + baseBearing - spread + randomScaled(2.0 * spread),
                         geoRange(width, dy));
        return along(x, y, baseBearing - spread + randomScaled(2.0 * spread), dy);
    };
    // One group of the zig-zag: four corners, each on the near (0) or far (width) column at a row.
    struct Corner {
        bool farColumn;
        double row;
    };
    const auto group = [&](std::initializer_list<Corner> corners) {
        for (const Corner& c : corners)
            points.push_back(perturbed(c.farColumn, c.row * step));
    };
    for (int n = 1; n - 1 < rows; ++n)
        group({{true, n - 1.0}, {true, n * 1.0}, {false, n * 1.0}, {false, n + 1.0}});
    points.push_back(along(x, y, geoBearing(width, height) + baseBearing, geoRange(width, height)));
    for (int p = wholeRows; p >= 1; --p)
        group({{false, p + 1.0}, {false, p * 1.0}, {true, p * 1.0}, {true, p - 1.0}});
    return points;
}

std::vector<WorldPoint> patternExpandingPoints(double x, double y, double size) {
    if (!finite({x, y, size}))
        return {};
    std::vector<WorldPoint> points{{x, y, 0.0}};
    double bearing = 0.0;
    const auto leg = [&](double length, double turn) {
        WorldPoint next;
        geoProject(points.back().x, points.back().y, bearing, length, next.x, next.y);
        points.push_back(next);
        bearing = std::fmod(bearing + turn, 360.0);
    };
    double length = std::min(size - 1.0, kRowSpacing);
    for (int pass = 0; length < size && pass < kMaxPasses; ++pass, length += kRowSpacing) {
        leg(length, 90.0); // out, turning right
        leg(length, 90.0);
    }
    bearing = std::fmod(bearing + 90.0, 360.0);
    for (; length > kRowSpacing; length -= kRowSpacing) {
        leg(length, 270.0); // back in, turning left
        leg(length, 270.0);
    }
    return points;
}

} // namespace q71
