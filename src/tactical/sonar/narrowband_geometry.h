#pragma once
// The geometry and rules of the narrowband page: frequency across 243 columns from x 17 on
// six full scales, the bearing trace's circle across 247 columns from x 12, the search for the
// line nearest the cursor frequency, and the stepping through the reference platforms.

#include <array>
#include <functional>
#include <span>

namespace q71 {

inline constexpr int kNarrowbandColumns = 243;
inline constexpr int kNarrowbandLeft = 17; ///< x of 0 Hz
/// Full scales (Hz) by the narrowband scale setting.
inline constexpr std::array<int, 6> kNarrowbandScales = {50, 150, 300, 500, 1000, 2000};

/// The full scale of a scale index (held within 0 to 5).
int narrowbandFullScale(int scale);
/// The column (0 to 243) of a frequency on a full scale.
int narrowbandColumn(double frequency, int fullScale);
/// The frequency under an x of the waterfall, held within 0 to the full scale.
int narrowbandXFrequency(int x, int fullScale);

/// The column of the line nearest the cursor frequency: the columns c, c − 1, c + 1, ... c − 5
/// tried in that order (held within the 243 columns), the first whose entry (line frequency + 1)
/// is positive; −1 when none.
int sonarNearestLine(int cursorFrequency, int fullScale, std::span<const int, kNarrowbandColumns> lines);

/// The x of a bearing on the bearing trace with the orientation offset.
int narrowbandTraceX(double bearing, int offset);
/// The bearing under an x of the bearing trace (held within 12 to 259): the inverse of narrowbandTraceX.
int narrowbandTraceBearing(int x, int offset);

/// The next reference record id from `current` upwards (or downwards), over ids 1 to `highestId`
/// with wrapping, the first for which `qualifies` holds; 0 when no id qualifies in a whole cycle.
int narrowbandStepReference(int current, bool up, int highestId, const std::function<bool(int)>& qualifies);

} // namespace q71
