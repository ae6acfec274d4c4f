#pragma once
// The colours of a chart: the elevation bands (a colour per range of heights) and the 8-bit
// palette that gives every band its ramp of shades from dark to bright, plus the black band
// where the grid has no data.

#include "platform/gdi/colour.h"

#include <cstdint>
#include <span>
#include <vector>

namespace q71 {

/// One elevation band: its colour (0x00RRGGBB) and the heights it covers, lower <= e < upper.
struct ChartBand {
    std::uint32_t colour = 0;
    double lower = 0.0;
    double upper = 0.0;
};

/// The bright and dark ends of the shade ramp: signed amplitudes added to each channel.
struct ChartShadeRamp {
    std::int16_t bright[3] = {}; ///< red, green, blue
    std::int16_t dark[3] = {};
};

/// Most bands a table keeps: with the black band and one shade, the palette stays within 250 entries.
inline constexpr int kChartMaxBands = 249;

/// The 24 bands from the high mountains to the deep sea, used when no table is given.
std::span<const ChartBand> chartDefaultBands();

/// A table as the charts hold it: each row's bounds in order, rows with a bound that is not a
/// number dropped, at most kChartMaxBands rows, sorted by lower bound.
std::vector<ChartBand> chartInstallBands(std::span<const ChartBand> rows);

/// The row whose range holds the height; -1 when none does. `bands` is sorted as installed.
int chartFindBand(std::span<const ChartBand> bands, double elevation);

/// The ramp of `shades` shades with amplitudes per channel: bright = amplitude x (shades - 1) / 2,
/// dark = -bright; flat with fewer than two shades.
ChartShadeRamp chartShadeRamp(int shades, int red, int green, int blue);

/// The palette: (bands + 1) x shades entries, band b shade k at b x shades + k, darkest first;
/// the last band is black.
std::vector<RgbQuad> chartBuildPalette(std::span<const ChartBand> bands, int shades,
                                       const ChartShadeRamp& ramp);

} // namespace q71
