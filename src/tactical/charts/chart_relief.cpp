#include "tactical/charts/chart_relief.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace q71 {
namespace {

double wrapInto(double v, double period) {
    return period > 0 ? v - std::floor(v / period) * period : v;
}

} // namespace

double chartGridElevation(const DemGrid& grid, double gx, double gy) {
    int column = static_cast<int>(std::floor(gx));
    int row = static_cast<int>(std::floor(gy));
    column = std::clamp(column, 0, grid.width - 2);
    row = std::clamp(row, 0, grid.height - 2);
    const double fx = gx - column;
    const double fy = gy - row;
    const double top = grid.at(column, row) + (grid.at(column + 1, row) - grid.at(column, row)) * fx;
    const double bottom =
        grid.at(column, row + 1) + (grid.at(column + 1, row + 1) - grid.at(column, row + 1)) * fx;
    return top + (bottom - top) * fy;
}

ChartRelief chartBuildRelief(const DemGrid& grid, const ReliefLight& light, int shades) {
    const int c = grid.width;
    const int r = grid.height;
    const int step = std::max(light.step, 1);
    ChartRelief relief;
    relief.columns = std::max((c + step - 2) / step + 1, 2);
    relief.rows = std::max((r + step - 2) / step + 1, 2);
    // The samples spread over the whole grid: a whole-number step would leave the relief of a
    // grid whose last index the sample count does not divide (600 samples: steps of 1, not 1.997)
    // to its first half, and the rest of the chart shaded by the last sample, in streaks.
    relief.stepX = static_cast<double>(c - 1) / (relief.columns - 1);
    relief.stepY = static_cast<double>(r - 1) / (relief.rows - 1);
    relief.halfStepX = relief.stepX / 2;
    relief.halfStepY = relief.stepY / 2;

    const double mx = grid.extentX / (c - 1) * 1000.0;
    const double my = grid.extentY / (r - 1) * 1000.0;
    const double d = 0.05 * std::min(mx, my);
    const double azimuth = light.azimuth * std::numbers::pi / 180.0;
    const double ox = std::sin(azimuth) * d / 2 / mx;
    const double oy = -std::cos(azimuth) * d / 2 / my;
    const double k = light.contrastAngle;
    const double gain = shades != 2 ? (shades - 2) * 256.0 / (2 * k * shades) : 512.0 / (8 * k);
    const double base = shades != 2 ? 256.0 / shades : 64.0;
    const double periodX = c - 1;
    const double periodY = r - 1;

    relief.values.resize(static_cast<std::size_t>(relief.columns) * static_cast<std::size_t>(relief.rows));
    for (int row = 0; row < relief.rows; ++row)
        for (int column = 0; column < relief.columns; ++column) {
            const double px = column * relief.stepX + relief.halfStepX;
            const double py = row * relief.stepY + relief.halfStepY;
            const double behind =
                chartGridElevation(grid, wrapInto(px - ox, periodX), wrapInto(py - oy, periodY));
            const double towards =
                chartGridElevation(grid, wrapInto(px + ox, periodX), wrapInto(py + oy, periodY));
            const double slope = (behind - towards) / d;
            const double value = (std::atan(slope) * 180.0 / std::numbers::pi + k) * gain + base;
            relief.values[static_cast<std::size_t>(row) * static_cast<std::size_t>(relief.columns) +
                          static_cast<std::size_t>(column)] =
                static_cast<std::uint8_t>(std::lround(std::clamp(value, 0.0, 255.0)));
        }
    return relief;
}

ChartShadeMaps chartBuildShadeMaps(int shades, bool dither) {
    ChartShadeMaps maps;
    const double step = 256.0 / shades;
    for (int v = 0; v < 256; ++v) {
        if (dither) {
            const double f = std::clamp((v - step / 2) / step, 0.0, static_cast<double>(shades - 1));
            const double whole = std::floor(f);
            maps.index[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(whole);
            maps.fraction[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>((f - whole) * 256);
        } else {
            maps.index[static_cast<std::size_t>(v)] = static_cast<std::uint16_t>(v * shades / 256);
        }
    }
    return maps;
}

const std::array<std::array<std::uint8_t, 16>, 16>& chartDitherThresholds() {
    static const auto table = [] {
        constexpr int m[4][4] = {{0, 14, 3, 13}, {11, 5, 8, 6}, {12, 2, 15, 1}, {7, 9, 4, 10}};
        std::array<std::array<std::uint8_t, 16>, 16> t{};
        for (int i = 0; i < 4; ++i)
            for (int j = 0; j < 4; ++j)
                for (int b = 0; b < 4; ++b)
                    for (int a = 0; a < 4; ++a)
                        t[static_cast<std::size_t>(4 * i + b)][static_cast<std::size_t>(4 * j + a)] =
                            static_cast<std::uint8_t>((m[i][j] / 16.0 + m[b][a]) * 15.9375 + 0.5);
        return t;
    }();
    return table;
}

} // namespace q71
