#include "sim/entities/sensors/sonar_rows.h"

#include <algorithm>
#include <cmath>

namespace q71 {

int bearingBin(double bearing) {
    if (!std::isfinite(bearing))
        return 0;
    double degrees = std::fmod(bearing, 360.0);
    if (degrees < 0.0)
        degrees += 360.0;
    return static_cast<int>(degrees * 0.7111111111111111) & (kBearingBins - 1);
}

int binDegrees(int bin) {
    return static_cast<int>((bin & (kBearingBins - 1)) * 1.40625);
}

void NarrowbandRow::clear() {
    for (std::vector<LineItem>& bin : bins)
        bin.clear();
}

void NarrowbandRow::addLine(int bin, const LineItem& item) {
    std::vector<LineItem>& lines = bins[static_cast<std::size_t>(bin & (kBearingBins - 1))];
    const auto same = std::find_if(lines.begin(), lines.end(), [&](const LineItem& line) {
        return line.source == item.source && line.frequency == item.frequency;
    });
    if (same == lines.end()) {
        lines.push_back(item);
        lines.back().level = std::min<std::uint8_t>(item.level, 100);
        return;
    }
    same->level = std::min<std::uint8_t>(std::max(same->level, item.level), 100);
}

} // namespace q71
