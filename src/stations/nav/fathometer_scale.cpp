#include "stations/nav/fathometer_scale.h"

#include "sim/simulation/geometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr std::array<int, kFathometerTimeScales> kHistoryCodes{1, 8, 12, 24, 48};
constexpr std::array<double, kFathometerDepthScales> kFullScales{30.81528,  305.13528, 1524.3048,
                                                                 3048.33528, 6096.3048, 9144.3048};
constexpr double kFeetPerMetre = kMetresToYards * 3.0;
constexpr double kKeelFeet = 28.0;
constexpr double kKeelMetres = 8.5344;
constexpr int kTop = 15;
constexpr int kTraceRows = 335;
constexpr int kFirstColumn = 31;

} // namespace

std::optional<int> fathometerHistoryCode(int timeIndex) {
    if (timeIndex < 0 || timeIndex >= kFathometerTimeScales)
        return std::nullopt;
    return kHistoryCodes[static_cast<std::size_t>(timeIndex)];
}

std::optional<double> fathometerFullScale(int depthIndex) {
    if (depthIndex < 0 || depthIndex >= kFathometerDepthScales)
        return std::nullopt;
    return kFullScales[static_cast<std::size_t>(depthIndex)];
}

double fathometerKeelDepthFeet(double z, double bottom) {
    const double feet = (z - bottom) * kFeetPerMetre - kKeelFeet;
    return feet > 0.0 ? feet : 0.0;
}

long long fathometerSounding(const DepthEntry& entry) {
    return static_cast<long long>(entry.waterDepth) - static_cast<long long>(entry.ownDepth);
}

int fathometerTraceRow(double sounding, double fullScale) {
    // A sounding not a number (or none under the keel) plots on the top line. The row is held to
    // the trace window before it becomes a whole number: a saved sample of any size plots at its
    // bottom edge, where the drawing clips it, as deep water at a small scale does.
    const double below = std::max(0.0, std::trunc(sounding - kKeelMetres));
    const double row = below * kTraceRows / fullScale + kTop;
    return static_cast<int>(
        std::clamp(row, static_cast<double>(kTop), static_cast<double>(kTop + kTraceRows)));
}

std::vector<int> fathometerGridRows() {
    std::vector<int> rows;
    for (int i = 1; i <= 9; ++i)
        rows.push_back(static_cast<int>(kTop + 33.5 * i));
    return rows;
}

bool fathometerRingUsable(const DepthRing& ring) {
    const auto inRing = [](int index) { return index >= 0 && index < DepthRing::kSize; };
    return inRing(ring.newest) && inRing(ring.end);
}

std::vector<Point> fathometerWalk(const DepthRing& ring, double fullScale, int segments) {
    std::vector<Point> points;
    if (!fathometerRingUsable(ring))
        return points;
    for (int index = ring.newest, x = kFirstColumn; index != ring.end && x - kFirstColumn <= segments;
         index = (index + 1) % DepthRing::kSize, ++x)
        points.push_back({x, fathometerTraceRow(static_cast<double>(fathometerSounding(
                                                    ring.entries[static_cast<std::size_t>(index)])),
                                                fullScale)});
    return points;
}

} // namespace q71
