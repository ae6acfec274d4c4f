#include "tactical/sonar/broadband_geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

double wrap(double degrees) {
    const double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

} // namespace

int waterfallBearingX(double bearing, int offset) {
    return kWaterfallLeft + static_cast<int>(wrap(bearing + offset) * 235.0 / 360.0);
}

int waterfallCellX(int cell, int offset) {
    const int rotated = (cell + offset * 256 / 360) % 256;
    return kWaterfallLeft + rotated * 235 / 256;
}

int waterfallXBearing(int x, int offset) {
    const int held = std::clamp(x, kWaterfallLeft, kWaterfallRight);
    return ((held - kWaterfallLeft) * 360 / 235 + offset) % 360;
}

int waterfallRowsToAdd(int scale, double headTime, double lastDrawn) {
    if (scale != 0)
        return 1;
    const double rows = std::trunc((headTime - lastDrawn) * 2.2522522522522523);
    return static_cast<int>(std::clamp(rows, 1.0, static_cast<double>(kWaterfallRows)));
}

int sonarNearestSourceDegree(int cursor, std::span<const std::uint16_t, 360> sources) {
    for (int k = 1; k <= 10; ++k) {
        const int offset = k % 2 == 1 ? k / 2 : -(k / 2);
        const int degree = ((cursor + offset) % 360 + 360) % 360;
        if (sources[static_cast<std::size_t>(degree)] != 0)
            return degree;
    }
    return -1;
}

double broadbandPitch(double base, double orderedSpeed, double maxSpeed) {
    const double share = maxSpeed > 0.0 ? std::fabs(orderedSpeed) / maxSpeed : 0.0;
    return share * base + 0.5 * base;
}

int broadbandVolume(double level) {
    return static_cast<int>(std::clamp(level, 0.0, 127.0));
}

} // namespace q71
