#include "tactical/sonar/demon_geometry.h"

#include "tactical/displays/display_noise.h"
#include "tactical/sonar/level_dib.h"

#include <algorithm>
#include <cmath>

namespace q71 {

int demonFullScale(int scale) {
    return kDemonScales[static_cast<std::size_t>(std::clamp(scale, 0, 2))];
}

int demonX(double frequency, int fullScale) {
    return static_cast<int>(std::trunc(kDemonLeft + frequency * kDemonColumns / fullScale));
}

double demonXFrequency(int x, int fullScale) {
    return (std::clamp(x, kDemonLeft, kDemonRight) - kDemonLeft) * static_cast<double>(fullScale) /
           kDemonColumns;
}

int demonRate(double frequency, int divisor) {
    return std::min(99, static_cast<int>(std::trunc(frequency * 60.0 / std::max(divisor, 1))));
}

int demonStepDivisor(int divisor, int rockerValue) {
    if (rockerValue == 0)
        return divisor < kDemonMaxDivisor ? divisor + 1 : divisor;
    return divisor > kDemonMinDivisor ? divisor - 1 : divisor;
}

int demonLineHalfWidth(int amplitude) {
    const int c = std::max(1, amplitude - 50) * 10 / 100;
    return c >= 2 ? c / 2 : 0;
}

void demonDrawRow(std::span<std::uint8_t> row, const DemonRowInput& in, DisplayNoise& noise) {
    const auto put = [&row](int x, int v) {
        if (x >= 0 && x < static_cast<int>(row.size()))
            row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(std::clamp(v, 1, kLevelMax));
    };
    const double s = in.ambient / 6.0;
    const double low = in.background - s;
    const double threshold = in.background + 0.66 * s;
    for (int x = kDemonLeft; x < kDemonRight && x < static_cast<int>(row.size()); ++x) {
        const int v = std::min(99, static_cast<int>(std::trunc(noise.scaled(2.0 * s) + low)));
        if (v <= threshold)
            row[static_cast<std::size_t>(x)] = 0;
        else
            put(x, v);
    }
    if (in.level == 0 || in.speed <= 0 || in.lineFactor == 0)
        return;
    const double f0 = in.lineFactor * static_cast<double>(in.speed) / 60.0;
    for (int h = 1; h <= in.harmonics; ++h) {
        const int a = in.level - 5 * (h - 1);
        const int w = demonLineHalfWidth(a);
        if (w == 0)
            continue;
        for (int j = w; j >= 0; --j) {
            const int v = a - j * a / w;
            if (v <= in.background)
                continue;
            const int x0 =
                static_cast<int>(std::trunc(noise.scaled(2.0) - 0.5 + demonX(h * f0, in.fullScale)));
            if (x0 + j < kDemonRight)
                put(x0 + j, v);
            if (x0 - j > kDemonLeft)
                put(x0 - j, v);
        }
    }
}

} // namespace q71
