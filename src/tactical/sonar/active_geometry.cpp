#include "tactical/sonar/active_geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

double wrapDegrees(double degrees) {
    double d = std::fmod(degrees, 360.0);
    return d < 0.0 ? d + 360.0 : d;
}

} // namespace

double activeRangeScale(int index) {
    return kActiveRangeScales[static_cast<std::size_t>(std::clamp(index, 0, 4))];
}

int activeBearingX(double bearing, int offset) {
    return 5 + 2 * static_cast<int>(wrapDegrees(bearing + offset) * 129.0 / 360.0);
}

int activeXBearing(int x, int offset) {
    const int held = std::clamp(x, 5, 263);
    return (static_cast<int>((held - 5) * 360 / 258) + offset) % 360;
}

int activeRangeY(double range, double scale, int slot) {
    const double t = range * 276.0 / scale;
    return kActiveTop + static_cast<int>(std::max(0.0, 276.0 - (t - std::fmod(t, 4.0) + slot)));
}

double activeYRange(int y, double scale) {
    return (kActiveBottom - std::clamp(y, kActiveTop, kActiveBottom)) * scale / 276.0;
}

double activeRowRange(int y, double scale) {
    const int fromBottom = kActiveBottom - y;
    return (fromBottom - fromBottom % 4) * scale / 276.0;
}

int activeCursorY(double range, double scale) {
    return kActiveBottom - static_cast<int>(range * 276.0 / scale);
}

int activePingInterval(double scale) {
    return 1 + 2 * static_cast<int>(scale / 1548.0);
}

std::int32_t activeDesignatedSource(int cursor, const std::function<std::int32_t(int, int)>& source) {
    for (int slot = 0; slot < 4; ++slot)
        for (int k = 0; k <= 2; ++k)
            for (int degree : {cursor - k, cursor + k})
                if (const std::int32_t id = source(slot, ((degree % 360) + 360) % 360); id > 0)
                    return id;
    return 0;
}

} // namespace q71
