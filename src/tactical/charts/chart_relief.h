#pragma once
// Shaded relief of a chart: a table of light values (0..255, 128 for flat ground) sampled over
// the grid under a light from one azimuth, and the maps that turn a light value into a shade of
// its band, directly or through an ordered 16 x 16 dither.

#include "sim/world/dem_grid.h"

#include <array>
#include <cstdint>
#include <vector>

namespace q71 {

/// Light values sampled every `step` grid cells, the first half a step in.
struct ChartRelief {
    std::vector<std::uint8_t> values; ///< rows x columns
    int columns = 0;
    int rows = 0;
    double stepX = 1.0;
    double stepY = 1.0;
    double halfStepX = 0.5;
    double halfStepY = 0.5;

    bool empty() const { return values.empty(); }
    std::uint8_t at(int column, int row) const {
        return values[static_cast<std::size_t>(row) * static_cast<std::size_t>(columns) +
                      static_cast<std::size_t>(column)];
    }
};

/// How the relief is lit and how steep a slope reaches the ends of the ramp.
struct ReliefLight {
    double azimuth = 315.0;      ///< degrees clockwise from north, where the light comes from
    double contrastAngle = 1.75; ///< degrees of slope that reach the brightest or darkest shade
    int step = 2;                ///< grid cells between samples
};

/// Elevation at a grid point inside the grid (columns 0..C - 1, rows 0..R - 1), bilinear.
double chartGridElevation(const DemGrid& grid, double gx, double gy);

/// The relief of a grid of at least 2 x 2 samples for `shades` shades (at least 2).
ChartRelief chartBuildRelief(const DemGrid& grid, const ReliefLight& light, int shades);

/// For each light value the shade index and the fraction (0..255) by which it leans to the next.
struct ChartShadeMaps {
    std::array<std::uint16_t, 256> index{};
    std::array<std::uint16_t, 256> fraction{};
};
ChartShadeMaps chartBuildShadeMaps(int shades, bool dither);

/// The 16 x 16 ordered-dither thresholds (0..254), row by row.
const std::array<std::array<std::uint8_t, 16>, 16>& chartDitherThresholds();

} // namespace q71
