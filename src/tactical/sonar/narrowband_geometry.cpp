#include "tactical/sonar/narrowband_geometry.h"

#include <algorithm>
#include <cmath>

namespace q71 {

namespace {

constexpr int kTraceLeft = 12;
constexpr int kTraceColumns = 247;

} // namespace

int narrowbandFullScale(int scale) {
    return kNarrowbandScales[static_cast<std::size_t>(std::clamp(scale, 0, 5))];
}

int narrowbandColumn(double frequency, int fullScale) {
    return static_cast<int>(std::trunc(frequency * kNarrowbandColumns / fullScale));
}

int narrowbandXFrequency(int x, int fullScale) {
    return std::clamp((x - kNarrowbandLeft) * fullScale / kNarrowbandColumns, 0, fullScale);
}

int sonarNearestLine(int cursorFrequency, int fullScale, std::span<const int, kNarrowbandColumns> lines) {
    const int c = narrowbandColumn(cursorFrequency, fullScale);
    for (int k = 1; k <= 10; ++k) {
        const int column = std::clamp(k % 2 == 1 ? c + k / 2 : c - k / 2, 0, kNarrowbandColumns - 1);
        if (lines[static_cast<std::size_t>(column)] > 0)
            return column;
    }
    return -1;
}

int narrowbandTraceX(double bearing, int offset) {
    double b = std::fmod(bearing + offset, 360.0);
    if (b < 0.0)
        b += 360.0;
    return kTraceLeft + static_cast<int>(std::trunc(b * kTraceColumns / 360.0));
}

int narrowbandTraceBearing(int x, int offset) {
    // The same 247 columns as the trace is drawn on, so the cursor lands where it was clicked: the
    // first whole degree drawn in the column.
    const int column = std::clamp(x, kTraceLeft, kTraceLeft + kTraceColumns) - kTraceLeft;
    const int bearing = ((column * 360 + kTraceColumns - 1) / kTraceColumns + offset) % 360;
    return std::max(bearing, 0);
}

int narrowbandStepReference(int current, bool up, int highestId, const std::function<bool(int)>& qualifies) {
    if (highestId < 1)
        return 0;
    int id = std::clamp(current, 0, highestId + 1);
    for (int tried = 0; tried < highestId; ++tried) {
        id = up ? (id >= highestId ? 1 : id + 1) : (id <= 1 ? highestId : id - 1);
        if (qualifies(id))
            return id;
    }
    return 0;
}

} // namespace q71
