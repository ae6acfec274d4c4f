#include "tactical/charts/chart_palette.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace q71 {
namespace {

constexpr std::array<ChartBand, 24> kDefaultBands{{
    {0x888888, 10000, 5000},  {0x808080, 5000, 4000},   {0x808060, 4000, 3000},   {0x808040, 3000, 2000},
    {0x808000, 2000, 1000},   {0x608000, 1000, 500},    {0x408000, 500, 400},     {0x008000, 400, 300},
    {0x007000, 300, 200},     {0x006800, 200, 100},     {0x006000, 100, 0},       {0x9090C0, 0, -50},
    {0x8080C0, -50, -100},    {0x7070C0, -100, -200},   {0x6060C0, -200, -300},   {0x5050C0, -300, -400},
    {0x4040C0, -400, -500},   {0x2020C0, -500, -1000},  {0x1010B0, -1000, -2000}, {0x0000A0, -2000, -3000},
    {0x000090, -3000, -4000}, {0x000080, -4000, -5000}, {0x000060, -5000, -6000}, {0x000040, -6000, -10000},
}};

std::uint8_t shadeChannel(int channel, int bright, int dark, double t) {
    double p = bright;
    double n = dark;
    // Dark colours get a ramp in proportion, so that they do not all turn black.
    if (channel < 32) {
        p = p * channel / 32.0;
        n = n * channel / 32.0;
    }
    const double value = channel + n + (p - n) * t;
    return static_cast<std::uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

} // namespace

std::span<const ChartBand> chartDefaultBands() {
    return kDefaultBands;
}

std::vector<ChartBand> chartInstallBands(std::span<const ChartBand> rows) {
    std::vector<ChartBand> table;
    for (const ChartBand& row : rows) {
        if (!std::isfinite(row.lower) || !std::isfinite(row.upper))
            continue;
        if (static_cast<int>(table.size()) == kChartMaxBands)
            break;
        ChartBand band = row;
        if (band.lower > band.upper)
            std::swap(band.lower, band.upper);
        table.push_back(band);
    }
    std::stable_sort(table.begin(), table.end(),
                     [](const ChartBand& a, const ChartBand& b) { return a.lower < b.lower; });
    return table;
}

int chartFindBand(std::span<const ChartBand> bands, double elevation) {
    // The last row starting at or below the height, if the height is below its upper bound.
    auto after = std::upper_bound(bands.begin(), bands.end(), elevation,
                                  [](double e, const ChartBand& band) { return e < band.lower; });
    if (after == bands.begin())
        return -1;
    const auto row = after - 1;
    return elevation < row->upper ? static_cast<int>(row - bands.begin()) : -1;
}

ChartShadeRamp chartShadeRamp(int shades, int red, int green, int blue) {
    ChartShadeRamp ramp;
    if (shades < 2)
        return ramp;
    const int amplitudes[3] = {red, green, blue};
    for (int c = 0; c < 3; ++c) {
        ramp.bright[c] = static_cast<std::int16_t>(amplitudes[c] * (shades - 1) / 2);
        ramp.dark[c] = static_cast<std::int16_t>(-ramp.bright[c]);
    }
    return ramp;
}

std::vector<RgbQuad> chartBuildPalette(std::span<const ChartBand> bands, int shades,
                                       const ChartShadeRamp& ramp) {
    std::vector<RgbQuad> palette((bands.size() + 1) * static_cast<std::size_t>(shades));
    for (std::size_t b = 0; b < bands.size(); ++b) {
        const std::uint32_t colour = bands[b].colour;
        const int channels[3] = {static_cast<int>((colour >> 16) & 0xFF),
                                 static_cast<int>((colour >> 8) & 0xFF), static_cast<int>(colour & 0xFF)};
        for (int k = 0; k < shades; ++k) {
            const double t = shades > 1 ? static_cast<double>(k) / (shades - 1) : 0.0;
            RgbQuad& entry = palette[b * static_cast<std::size_t>(shades) + static_cast<std::size_t>(k)];
            entry.red = shadeChannel(channels[0], ramp.bright[0], ramp.dark[0], t);
            entry.green = shadeChannel(channels[1], ramp.bright[1], ramp.dark[1], t);
            entry.blue = shadeChannel(channels[2], ramp.bright[2], ramp.dark[2], t);
        }
    }
    return palette;
}

} // namespace q71
